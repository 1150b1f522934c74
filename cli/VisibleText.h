#pragma once
// User text as the companion tool prints it: a control or format character
// (and a byte that is no UTF-8) becomes a visible escape, "\x01", "\u009B",
// "\u202E", so a file cannot hide or rewrite lines in a terminal. Line ends
// are kept.

#include <string>
#include <string_view>

namespace kelvo {

std::string VisibleText(std::string_view text);

}  // namespace kelvo
