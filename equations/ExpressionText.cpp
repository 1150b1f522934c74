#include "equations/ExpressionText.h"

namespace kelvo {

std::vector<std::string> Split(std::string_view text, std::string_view delimiter) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (true) {
    const size_t at = text.find(delimiter, start);
    if (at == std::string_view::npos) {
      pieces.emplace_back(text.substr(start));
      return pieces;
    }
    pieces.emplace_back(text.substr(start, at - start));
    start = at + delimiter.size();
  }
}

std::string Join(const std::vector<std::string>& pieces, std::string_view delimiter) {
  std::string text;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) text += delimiter;
    text += pieces[i];
  }
  return text;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string result;
  size_t start = 0;
  while (true) {
    const size_t at = text.find(from, start);
    if (at == std::string_view::npos) break;
    result.append(text.substr(start, at - start));
    result.append(to);
    start = at + from.size();
  }
  result.append(text.substr(start));
  return result;
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

bool IsUpperLiteral(std::string_view literal) { return !literal.empty() && literal[0] >= 'A' && literal[0] <= 'Z'; }

bool IsLowerLiteral(std::string_view literal) { return !literal.empty() && literal[0] >= 'a' && literal[0] <= 'z'; }

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string ToLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace kelvo
