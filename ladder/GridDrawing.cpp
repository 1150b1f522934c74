#include "ladder/GridDrawing.h"

#include <algorithm>
#include <string>

namespace kelvo {
namespace {

// Tile image slots.
enum Tile { kCoil = 0, kLineD, kLineH, kLine1D, kLine1U, kLineTD, kLineTL, kLineTU, kNoff, kNon };

constexpr int kTopRailY = 0;
constexpr int kFirstCellY = 750;
constexpr int kCoilLabelY = 7900;
constexpr int kLabelOffsetX = 400;
constexpr int kLabelRaise = 250;                 // from the step below the contact up to the label
constexpr int kLastDrawnBranch = kBranches - 2;  // the last branch is built but never drawn
constexpr int kLastStep = kSteps - 1;
constexpr int kLastRelaySlot = kMainLengthSlots - 2;  // slot 14 is never built
constexpr Rgb kBlack{0, 0, 0};

// How a grid family differs: the two-part grid starts at step 0 and skips its
// gap cells "0" like shared ones. `depth` is how far the coil line of the
// view lies below its usual place.
struct GridStyle {
  int firstStep;
  bool twoPart;
  int depth = 0;
};

// True when the cell takes a step of the path, drawn or not.
bool TakesStep(const std::string& code, bool twoPart) {
  if (code == "*" || (twoPart && code == "0")) return true;
  return code.size() == 1 && code[0] >= '1' && code[0] <= '9';
}

// The drawing cursor of one view: PenX/PenY is where the next cell goes,
// BranchX/BranchTopY the column and top of the branch being drawn.
class GridPainter {
public:
  GridPainter(Canvas& canvas, GridStyle style) : canvas_(canvas), style_(style) { canvas_.SetTextColor(kBlack); }

  // Draws one circuit after the ones already drawn; false when the view has
  // become too wide.
  bool DrawCircuit(const TileGrid& tiles, const TileGrid& labels, const std::string& coilName) {
    penY_ = 0;
    OpenCircuit();
    for (int b = 0; b <= kLastDrawnBranch; ++b) {
      DrawBranch(tiles, labels, b, coilName);
      if (!tiles[b + 1][1].empty()) {
        penY_ = branchTopY_;
        penX_ = branchX_ + kBranchPitch;
        branchX_ = penX_;
      }
    }
    penX_ = branchX_ + kBranchPitch;
    branchX_ = penX_;
    return penX_ <= kWidestDrawing;
  }

private:
  void Paint(int tile, int x, int y) { canvas_.PaintTile(tile, x, y); }

  void Print(int x, int y, const std::string& text) {
    canvas_.SetTextPosition(x, y);
    canvas_.PrintText(text);
  }

  // A piece of each supply line, the tee down from the top line and one wire.
  void OpenCircuit() {
    Paint(kLineH, penX_, kTopRailY);
    Paint(kLineH, penX_, kBottomRailY + style_.depth);
    penX_ += kTileTwips;
    Paint(kLineTD, penX_, kTopRailY);
    Paint(kLineH, penX_ + kTileTwips, kTopRailY);
    penY_ += kTileTwips;
    Paint(kLineD, penX_, penY_);
    penY_ += kTileTwips;
    branchTopY_ = penY_;
    branchX_ = penX_;
  }

  void DrawBranch(const TileGrid& tiles, const TileGrid& labels, int b, const std::string& coilName) {
    for (int k = style_.firstStep; k <= kLastStep; ++k) {
      const std::string& code = tiles[b][k];
      if (!code.empty()) {
        if (b > 0) ExtendRails();
        PaintCell(code, labels[b][k]);
      }
      if (b == 0 && k == kLastStep) CloseMainPath(coilName);
    }
  }

  // Both supply lines over the column of a lower branch.
  void ExtendRails() {
    Paint(kLineH, penX_, kTopRailY);
    Paint(kLineH, penX_, kBottomRailY + style_.depth);
    Paint(kLineH, penX_ + kTileTwips, kTopRailY);
    Paint(kLineH, penX_ + kTileTwips, kBottomRailY + style_.depth);
  }

  // Paints the cell at the cursor and moves down when it takes a step.
  void PaintCell(const std::string& code, const std::string& label) {
    if (!TakesStep(code, style_.twoPart)) return;
    if (code == "*" || code == "0") {
      penY_ += kTileTwips;
      return;
    }
    const int tile = code[0] - '0';
    Paint(tile, penX_, penY_);
    const bool linksRight = tile == kLineH || tile == kLineTD || tile == kLineTL || tile == kLineTU;
    if (linksRight) Paint(kLineH, penX_ + kTileTwips, penY_);
    penY_ += kTileTwips;
    if (tile == kNoff || tile == kNon) Print(penX_ + kLabelOffsetX, penY_ - kLabelRaise, label);
  }

  // Wire down to the lowest wire, the coil with its name, and the tee into
  // the bottom supply line.
  void CloseMainPath(const std::string& coilName) {
    const int coilY = kCoilY + style_.depth;
    for (int m = penY_ / kTileTwips; m * kTileTwips < coilY; ++m) Paint(kLineD, penX_, m * kTileTwips);
    Paint(kCoil, penX_, coilY);
    Paint(kLineTU, penX_, kBottomRailY + style_.depth);
    Paint(kLineH, penX_ + kTileTwips, kBottomRailY + style_.depth);
    Print(penX_ + kLabelOffsetX, kCoilLabelY + style_.depth, coilName);
  }

  Canvas& canvas_;
  const GridStyle style_;
  int penX_ = 0;
  int penY_ = 0;
  int branchX_ = 0;
  int branchTopY_ = 0;
};

std::string StateCoilName(int slot) { return std::string(1, static_cast<char>('A' + slot)); }

std::string SumCoilName(int slot, const EquationSet& equations) {
  if (slot < kStateVariables) return StateCoilName(slot);
  if (slot >= kFirstRelaySlot && slot < kFirstRelaySlot + kRelayCount) return equations.NmCoil[slot - kFirstRelaySlot];
  return {};
}

}  // namespace

int ExtraDepth(const TileGrid& tiles, int firstStep) {
  const bool twoPart = firstStep == 0;
  int penY = kFirstCellY;
  int lowest = penY;
  for (int b = 0; b <= kLastDrawnBranch; ++b) {
    for (int k = firstStep; k <= kLastStep; ++k) {
      if (TakesStep(tiles[b][k], twoPart)) penY += kTileTwips;
    }
    lowest = std::max(lowest, penY);
    if (!tiles[b + 1][1].empty()) penY = kFirstCellY;
  }
  return std::max(0, lowest - kCoilY);
}

DrawOutcome DrawSumCircuits(const LadderGrid& grid, const EquationSet& equations, Canvas& canvas) {
  const int labelOffset = grid.StateView ? 4 : 6;
  const int first = std::max(grid.FirstCircuit, 0);
  const int last = std::min(grid.LastCircuit, kLastRelaySlot);
  int depth = 0;
  for (int slot = first; slot <= last; ++slot) {
    if (grid.MainLength[slot] != 0) depth = std::max(depth, ExtraDepth(grid.SumTiles[slot], 1));
  }
  if (depth > 0) canvas.ExtendHeight(depth);
  GridPainter painter(canvas, {1, false, depth});
  for (int slot = first; slot <= last; ++slot) {
    if (grid.MainLength[slot] == 0) continue;
    const bool fits =
        painter.DrawCircuit(grid.SumTiles[slot], grid.SumTiles[slot + labelOffset], SumCoilName(slot, equations));
    if (!fits) return DrawOutcome::TooWide;
  }
  return DrawOutcome::Complete;
}

DrawOutcome DrawTwoPartCircuits(const LadderGrid& grid, Canvas& canvas) {
  const int first = std::max(grid.FirstCircuit, 0);
  const int last = std::min(grid.LastCircuit, kTwoPartEquations - 1);
  int depth = 0;
  for (int slot = first; slot <= last; ++slot) {
    if (grid.ResetWidth[slot] >= 1) depth = std::max(depth, ExtraDepth(grid.TwoPartTiles[slot], 0));
  }
  if (depth > 0) canvas.ExtendHeight(depth);
  GridPainter painter(canvas, {0, true, depth});
  for (int slot = first; slot <= last; ++slot) {
    if (grid.ResetWidth[slot] < 1) continue;
    const bool fits =
        painter.DrawCircuit(grid.TwoPartTiles[slot], grid.TwoPartTiles[slot + kTwoPartEquations], StateCoilName(slot));
    if (!fits) return DrawOutcome::TooWide;
  }
  return DrawOutcome::Complete;
}

}  // namespace kelvo
