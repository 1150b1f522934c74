#include "cli/VisibleText.h"

#include <cstdio>

#include "common/CodePoints.h"

namespace kelvo {

std::string VisibleText(std::string_view text) {
  std::string visible;
  visible.reserve(text.size());
  ForEachCodePoint(text, [&](char32_t c, std::string_view bytes) {
    const bool malformed = c == 0xFFFD && bytes.size() == 1;
    if (c == U'\n' || (!malformed && !IsHiddenCharacter(c))) {
      visible += bytes;
      return;
    }
    char escape[16];
    if (c < 0x80 || malformed) {
      std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(bytes[0]));
    } else {
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
    }
    visible += escape;
  });
  return visible;
}

}  // namespace kelvo
