#pragma once
// The characters of user text (UTF-8 in memory) as Unicode code points, for
// deciding what a name may hold: letters and digits after Unicode's general
// categories (ICU), control characters, and the "U+00A0" form messages use
// to name a character that may not show.

#include <functional>
#include <string>
#include <string_view>

namespace kelvo {

// Calls `each(codePoint, bytes)` for every character of `text`; a malformed
// byte comes as U+FFFD with that one byte.
void ForEachCodePoint(std::string_view text, const std::function<void(char32_t, std::string_view)>& each);
size_t CodePointCount(std::string_view text);

// A letter (general category L) or a decimal digit (Nd).
bool IsLetterOrDigit(char32_t c);
// C0 and C1 control characters and DEL.
bool IsControlCharacter(char32_t c);
// A control character or an invisible format character (Cf: U+200B, U+202E).
bool IsHiddenCharacter(char32_t c);
// "U+00A0".
std::string CodePointName(char32_t c);

}  // namespace kelvo
