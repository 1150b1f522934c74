#pragma once
// The cell of a tile grid: what is drawn at one branch and step of a circuit.
// The layouts write tiles, the drawing paints them and the read-back follows
// the sides each one joins. Their text codes ("1".."9", "*", "0", "4up1") are
// only for what leaves the program (the companion tool's `inspect`) and what
// enters it in tests; each drawn tile is painted with the tile image of the
// same number (output/TileImages).

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvo {

enum class Tile : uint8_t {
  Unused,          // ""      nothing at this step
  Shared,          // "*"     covered by a contact shared with the branch on the left: a step, nothing drawn
  Gap,             // "0"     a gap step between the two groups of a two-part circuit: a step, nothing drawn
  Wire,            // "1"     N-S
  Link,            // "2"     W-E, a wire across to the branch on the left
  BranchStart,     // "3"     W-S, a corner where a branch leaves the one on its left
  BranchEnd,       // "4"     N-W, a corner where a branch returns to the one on its left
  TeeDown,         // "5"     W-E-S
  TeeRight,        // "6"     N-S-E
  TeeUp,           // "7"     W-E-N
  NormallyOpen,    // "8"     a contact that closes when its switch is on
  NormallyClosed,  // "9"     a contact that opens when its switch is on
  EndMark,         // "4up1"  where a branch end is still to be joined; gone once the layout is built
};

// The tile's code as `inspect` prints it.
std::string_view TileCode(Tile tile);
// The tile of a code; none for a text that is no code.
std::optional<Tile> TileFromCode(std::string_view code);

// A tile the drawing paints: the wire pieces and the contacts.
constexpr bool IsDrawn(Tile tile) { return tile >= Tile::Wire && tile <= Tile::NormallyClosed; }
constexpr bool IsContact(Tile tile) { return tile == Tile::NormallyOpen || tile == Tile::NormallyClosed; }
// The tile image slot a drawn tile is painted with, 1..9.
constexpr int TileImageSlot(Tile tile) { return static_cast<int>(tile) - static_cast<int>(Tile::Wire) + 1; }

}  // namespace kelvo
