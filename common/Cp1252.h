#pragma once
// Windows-1252 text on disk, UTF-8 in memory. Bytes 0x80..0x9F follow the
// Windows table; the five bytes that table leaves undefined map to the C1
// control characters of the same value, so every byte sequence round-trips.

#include <optional>
#include <string>
#include <string_view>

namespace kelvo {

std::string DecodeCp1252(std::string_view bytes);
// Empty optional when some character has no Windows-1252 byte.
std::optional<std::string> EncodeCp1252(std::string_view utf8);
// Replaces every malformed UTF-8 sequence with U+FFFD.
std::string SanitizeUtf8(std::string_view bytes);
// A byte that continues a UTF-8 character (10xxxxxx).
inline bool IsUtf8Continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }
// True when `bytes` is well-formed UTF-8 (plain ASCII included).
bool IsValidUtf8(std::string_view bytes);

}  // namespace kelvo
