#pragma once
// Names for a PLC program. IEC 61131-3 identifiers are letters, digits and
// single underscores, do not start with a digit, are no keyword and compare
// ignoring case. A program name that is one stays as written; any other is
// spelled as one (accents dropped, other characters turned into "_"), and a
// clash with a name given before gets a number.

#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

// `name` spelled as an identifier; `fallback` when nothing of it is left.
std::string IecSpelling(std::string_view name, const std::string& fallback);
bool IsIecIdentifier(std::string_view name);
bool IsIecKeyword(std::string_view name);

class IecNames {
public:
  // A new identifier for `name`, unlike every one given before (case ignored).
  std::string Give(std::string_view name, const std::string& fallback);

private:
  std::vector<std::string> given_;  // upper case
};

}  // namespace kelvo
