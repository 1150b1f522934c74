// The states-file reader on arbitrary bytes: it either fails or gives a table
// that writes back and reads again to the same table.
#include <cstdlib>
#include <string>
#include <string_view>

#include "statediagram/StatesFile.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  const auto table = kelvo::ParseStatesText(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!table) return 0;
  const auto again = kelvo::ParseStatesText(kelvo::FormatStatesText(*table));
  if (!again) std::abort();
  // A carriage return inside a field becomes a space (a field is one line);
  // nothing else may change.
  std::string all = kelvo::FormatStatesText(*table);
  bool strayReturn = false;
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i] == '\r' && (i + 1 == all.size() || all[i + 1] != '\n')) strayReturn = true;
  }
  const auto& d = *table;
  for (const auto* texts : {&d.Comments, &d.Codes}) {
    for (const auto& t : *texts) strayReturn |= t.find('\r') != std::string::npos;
  }
  for (const auto& row : d.Targets)
    for (const auto& t : row) strayReturn |= t.find('\r') != std::string::npos;
  for (const auto& row : d.Triggers)
    for (const auto& t : row) strayReturn |= t.find('\r') != std::string::npos;
  for (const auto& t : d.CoilNames) strayReturn |= t.find('\r') != std::string::npos;
  if (!strayReturn && !(*again == *table)) std::abort();
  return 0;
}
