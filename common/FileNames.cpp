#include "common/FileNames.h"

#include <cctype>
#include <vector>

namespace kelvo {
namespace {

// The single extension of each pattern of the filter ("" for "*.*" and the like).
std::vector<std::string> PatternExtensions(const std::string& filter) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t bar = filter.find('|'); ; bar = filter.find('|', start)) {
    parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::vector<std::string> extensions;
  for (size_t i = 1; i < parts.size(); i += 2) {
    const std::string& pattern = parts[i];
    const bool single = pattern.rfind("*.", 0) == 0 && pattern.find_first_of("*?;", 2) == std::string::npos;
    extensions.push_back(single ? ExtensionOf(pattern) : std::string());
  }
  return extensions;
}

}  // namespace

std::string ExtensionOf(const std::string& name) {
  const size_t slash = name.find_last_of('/');
  const size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot + 1 == name.size()) return {};
  std::string extension = name.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

std::string NameForChosenType(const std::string& name, const std::string& filter, int chosen,
                              const std::string& defaultExtension) {
  const std::vector<std::string> known = PatternExtensions(filter);
  const std::string extension = ExtensionOf(name);
  for (const std::string& k : known) {
    if (!k.empty() && k == extension) return name;
  }
  const std::string chosenExtension =
      chosen >= 0 && chosen < static_cast<int>(known.size()) ? known[chosen] : std::string();
  if (!chosenExtension.empty()) return name + "." + chosenExtension;
  // "All files": any extension stands; a bare name gets the default one.
  if (!extension.empty() || defaultExtension.empty()) return name;
  return name + "." + defaultExtension;
}

}  // namespace kelvo
