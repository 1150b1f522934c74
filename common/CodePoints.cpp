#include "common/CodePoints.h"

#include <unicode/uchar.h>

#include <cstdio>

namespace kelvo {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The length of the well-formed UTF-8 character at the start of `text`, 0 when malformed.
size_t CharacterLength(std::string_view text, char32_t& c) {
  const auto b0 = static_cast<unsigned char>(text[0]);
  if (b0 < 0x80) {
    c = b0;
    return 1;
  }
  const size_t length = b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC2 ? 2 : 0;
  if (length == 0 || b0 > 0xF4 || text.size() < length) return 0;
  c = b0 & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if ((b & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b & 0x3F);
  }
  const char32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

void ForEachCodePoint(std::string_view text, const std::function<void(char32_t, std::string_view)>& each) {
  while (!text.empty()) {
    char32_t c = kReplacement;
    size_t length = CharacterLength(text, c);
    if (length == 0) c = kReplacement, length = 1;
    each(c, text.substr(0, length));
    text.remove_prefix(length);
  }
}

size_t CodePointCount(std::string_view text) {
  size_t count = 0;
  ForEachCodePoint(text, [&](char32_t, std::string_view) { ++count; });
  return count;
}

bool IsLetterOrDigit(char32_t c) {
  const auto u = static_cast<UChar32>(c);
  return u_isalpha(u) || u_isdigit(u);
}

bool IsControlCharacter(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

bool IsHiddenCharacter(char32_t c) {
  return IsControlCharacter(c) || u_charType(static_cast<UChar32>(c)) == U_FORMAT_CHAR;
}

std::string CodePointName(char32_t c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
  return buffer;
}

}  // namespace kelvo
