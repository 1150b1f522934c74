#pragma once
// Paints the tile grids of a LadderGrid onto a Canvas: the circuits of the
// slots FirstCircuit..LastCircuit side by side from the left edge, each one a
// tee down from the top supply line, its branches 750 twips apart, the coil
// above the bottom supply line with its name, and the contact labels. The
// supply lines are laid as far as the circuits reach.
//
// The caller clears the canvas first. When a view grows wider than the canvas
// allows, drawing stops and says so; the views then fall back to circuit A.

#include <string_view>
#include <vector>

#include "equations/EquationSet.h"
#include "ladder/Canvas.h"
#include "ladder/LadderGrid.h"

namespace kelvo {

enum class DrawOutcome {
  Complete,  // every slot of the range was drawn
  TooWide,   // drawing stopped after the circuit that passed the widest x
};

// Twips: tiles are 375 square, branches 750 apart; a view whose x passes
// kWidestDrawing after a circuit is too wide.
inline constexpr int kTileTwips = 375;
inline constexpr int kBranchPitch = 750;
inline constexpr int kWidestDrawing = 13875;

// Coil line, bottom supply line and picture height of a view whose circuits
// all fit above the coil line.
inline constexpr int kCoilY = 7875;
inline constexpr int kBottomRailY = 8250;

// How much lower than kCoilY the coil of this circuit must hang so that no
// cell of any branch reaches the coil line: 0 for a circuit that fits, else
// whole steps of kTileTwips. `firstStep` is 1 for SumTiles, 0 for TwoPartTiles.
int ExtraDepth(const TileGrid& tiles, int firstStep);

// The width of a label in the drawing's font (DejaVu Sans, 12 pixels), in
// twips: the sum of its characters' advances; a character outside ASCII
// counts as the widest one.
int LabelWidth(std::string_view text);

// How far apart a view's columns lie so that no label reaches the next
// column or the next circuit: the branch pitch (kBranchPitch, or whole tiles
// more), and the extra gap between circuits (0, or whole tiles). A view whose
// labels all fit gets kBranchPitch and 0, today's geometry.
struct ViewPitch {
  int branch = kBranchPitch;
  int gap = 0;
};

// Where a circuit of a view was drawn: its slot, the x of its main column,
// the distance between its columns and the y of its coil, in twips. A cell
// placed by the read-back at (column, row) was drawn at
// (mainX + column * pitch, row * kTileTwips).
struct CircuitPlace {
  int slot = -1;
  int mainX = 0;
  int pitch = kBranchPitch;
  int coilY = kCoilY;
};

// Multiplied-out state-variable circuits (slots 0..3) and relay circuits
// (slots 8..13) of SumTiles, with the contact labels of SumLabels; relay
// coils are named by relayNames. Slot 14 is never drawn.
// `widest` is where a view becomes too wide; the relay view passes no limit.
DrawOutcome DrawSumCircuits(const LadderGrid& grid, const EquationSet& equations, Canvas& canvas,
                            int widest = kWidestDrawing, std::vector<CircuitPlace>* places = nullptr);

// Two-part state-variable circuits (slots 0..3) of TwoPartTiles, labels from
// TwoPartLabels.
//
// Both draw every circuit whole: when a circuit of the view reaches the coil
// line, the coils, the bottom supply line and the canvas move down by the
// steps it needs, the same for every circuit of the view.
DrawOutcome DrawTwoPartCircuits(const LadderGrid& grid, Canvas& canvas, std::vector<CircuitPlace>* places = nullptr);

}  // namespace kelvo
