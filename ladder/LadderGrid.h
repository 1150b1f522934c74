#pragma once
// The layout state of the ladder circuits. Equations are broken into term
// matrices (a row per product term, a column per contact), turned into tile
// grids whose cells name the tile to paint at each branch and step, and then
// painted for the circuits chosen by the view buttons.
//
// Term cell codes: "0" empty, a literal (contact), "1" padding wire, "*" shared
// with the row above, "/" last shared cell before the row's own contacts,
// "\" first shared cell after them.
// Tile cells are Tiles (ladder/Tile.h); the label of each contact is kept in
// a grid of the same shape beside its tiles.

#include <array>
#include <string>

#include "ladder/Tile.h"

namespace kelvo {

inline constexpr int kSumEquations = 10;     // A..D, then the six relays
inline constexpr int kTwoPartEquations = 4;  // eqParA..eqParD
inline constexpr int kTermRows = 21;         // product terms 0..20
inline constexpr int kTermColumns = 16;      // literals 0..15
inline constexpr int kSumSlots = 15;         // 0..3 A..D, 8..13 relays; 4..7 and 14 hold no circuit
inline constexpr int kBranches = 21;         // branches 0..20; branch 20 is never drawn
inline constexpr int kDrawnBranches = kBranches - 1;
inline constexpr int kSteps = 23;  // steps 0..22
inline constexpr int kMainLengthSlots = kSumSlots;
inline constexpr int kFirstRelaySlot = 8;

// How much of the rows above a row may share: everything (the layout as it
// always is), only beginnings, or nothing (every term a branch of its own
// from the supply line to the coil, which always conducts as the sum does).
enum class Sharing { Full, NoSharedEndings, None };

using TermMatrix = std::array<std::array<std::string, kTermColumns>, kTermRows>;  // [row][column]
using TileGrid = std::array<std::array<Tile, kSteps>, kBranches>;                 // [branch][step]
using LabelGrid = std::array<std::array<std::string, kSteps>, kBranches>;         // [branch][step]

struct LadderGrid {
  std::array<TermMatrix, kSumEquations> SumTerms;
  std::array<int, kSumEquations> SumWidth{};
  std::array<TileGrid, kSumSlots> SumTiles{};
  std::array<LabelGrid, kSumSlots> SumLabels;  // the contact labels of each slot's circuit
  std::array<int, kMainLengthSlots> MainLength{};

  std::array<TermMatrix, kTwoPartEquations> TwoPartTerms;
  std::array<int, kTwoPartEquations> ResetWidth{};
  std::array<int, kTwoPartEquations> SetEnd{};
  std::array<TileGrid, kTwoPartEquations> TwoPartTiles{};
  std::array<LabelGrid, kTwoPartEquations> TwoPartLabels;

  // View state: the slots drawn and whether they are state-variable circuits.
  int FirstCircuit = 0;
  int LastCircuit = 0;
  bool StateView = true;
};

}  // namespace kelvo
