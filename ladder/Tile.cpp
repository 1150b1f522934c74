#include "ladder/Tile.h"

#include <array>

namespace kelvo {
namespace {

constexpr std::array<std::string_view, 13> kCodes{"", "*", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "4up1"};
static_assert(kCodes.size() == static_cast<size_t>(Tile::EndMark) + 1);

}  // namespace

std::string_view TileCode(Tile tile) { return kCodes[static_cast<size_t>(tile)]; }

std::optional<Tile> TileFromCode(std::string_view code) {
  for (size_t i = 0; i < kCodes.size(); ++i) {
    if (kCodes[i] == code) return static_cast<Tile>(i);
  }
  return std::nullopt;
}

}  // namespace kelvo
