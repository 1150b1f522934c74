// The expression operations on arbitrary slot texts: one line a slot.
#include <string>
#include <string_view>

#include "equations/ExpressionText.h"
#include "equations/SwitchExpressions.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  const auto lines = kelvo::Split(std::string_view(reinterpret_cast<const char*>(data), size), "\n");
  kelvo::ContactNames names;
  kelvo::ResetWork reset;
  kelvo::WorkEquations work;
  for (size_t i = 0; i < lines.size() && i < work.size(); ++i) {
    work[i] = kelvo::ParseSum(lines[i], names);
    if (i < reset.size()) reset[i] = kelvo::ParseProduct(lines[i], names);
  }
  kelvo::ComplementExpressions(reset, names);
  kelvo::ExpandProducts(reset);
  kelvo::MergeAdjacentTerms(work);
  kelvo::MergeAdjacentTerms(work);
  kelvo::SimplifyExpressions(work, names);
  // What is left of a product is read as a sum, as the synthesis reads it.
  for (size_t i = 0; i < 4; ++i) work[i] = kelvo::ParseSum(kelvo::Print(reset[i]), names);
  kelvo::SimplifyExpressions(work, names);
  // Text read and written again is the text.
  for (const auto& line : lines) {
    if (kelvo::Print(kelvo::ParseSum(line, names)) != line) __builtin_trap();
    if (kelvo::Print(kelvo::ParseProduct(line, names)) != line) __builtin_trap();
  }
  return 0;
}
