// The expression operations on arbitrary slot texts: one line a slot.
#include <string>
#include <string_view>

#include "equations/ExpressionText.h"
#include "equations/SwitchExpressions.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  const auto lines = kelvo::Split(std::string_view(reinterpret_cast<const char*>(data), size), "\n");
  kelvo::ResetWork reset;
  kelvo::WorkEquations work;
  for (size_t i = 0; i < lines.size() && i < work.size(); ++i) {
    work[i] = lines[i];
    if (i < reset.size()) reset[i] = lines[i];
  }
  kelvo::ComplementExpressions(reset);
  kelvo::ExpandProducts(reset);
  kelvo::MergeAdjacentTerms(work);
  kelvo::MergeAdjacentTerms(work);
  kelvo::SimplifyExpressions(work);
  for (size_t i = 0; i < 4; ++i) work[i] = reset[i];
  kelvo::SimplifyExpressions(work);
  return 0;
}
