#include "ladder/GridDrawing.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kelvo {
namespace {

// Tile image slots.
enum TileImage { kCoil = 0, kLineD, kLineH, kLineTD = 5, kLineTU = 7 };

constexpr int kTopRailY = 0;
constexpr int kFirstCellY = 750;
constexpr int kCoilLabelY = 7900;
constexpr int kLabelOffsetX = 400;
constexpr int kLabelRaise = 250;                 // from the step below the contact up to the label
constexpr int kLastDrawnBranch = kBranches - 2;  // the last branch is built but never drawn
constexpr int kLastStep = kSteps - 1;
constexpr int kLastRelaySlot = kMainLengthSlots - 2;  // slot 14 is never built
constexpr Rgb kBlack{0, 0, 0};

// A label ends this far right of the next column's x at most: the contact
// plates start 90 twips into a tile, and a label keeps two pixels from them.
constexpr int kLabelReach = 45;

// Advances of the printable ASCII characters in DejaVu Sans at 12 pixels, in
// twips, rounded up.
constexpr int kAdvances[95] = {58,  72,  83,  151, 115, 171, 141, 50,  71,  71,  90,  151, 58,  65,  58,  61,
                               115, 115, 115, 115, 115, 115, 115, 115, 115, 115, 61,  61,  151, 151, 151, 96,
                               180, 124, 124, 126, 139, 114, 104, 140, 136, 53,  53,  118, 101, 156, 135, 142,
                               109, 142, 125, 115, 110, 132, 124, 178, 124, 110, 124, 71,  61,  71,  151, 90,
                               90,  111, 115, 99,  115, 111, 64,  115, 114, 50,  50,  105, 50,  176, 114, 110,
                               115, 115, 74,  94,  71,  114, 107, 148, 107, 107, 95,  115, 61,  115, 151};
constexpr int kWidestAdvance = 180;

int WholeTilesAbove(int twips, int base) {
  if (twips <= base) return base;
  return base + (twips - base + kTileTwips - 1) / kTileTwips * kTileTwips;
}

// How a grid family differs: the two-part grid starts at step 0 and skips its
// gap cells like shared ones. `depth` is how far the coil line of the
// view lies below its usual place.
struct GridStyle {
  int firstStep;
  bool twoPart;
  int depth = 0;
};

// True when the cell takes a step of the path, drawn or not.
bool TakesStep(Tile tile, bool twoPart) {
  return tile == Tile::Shared || (twoPart && tile == Tile::Gap) || IsDrawn(tile);
}

// Calls `label(column, text)` for every contact label of a circuit, in the
// columns the drawing gives its branches (0 the main column), and returns the
// number of columns.
template <typename OnLabel>
int ForEachLabel(const TileGrid& tiles, const LabelGrid& labels, int firstStep, OnLabel label) {
  int column = 0;
  for (int b = 0; b <= kLastDrawnBranch; ++b) {
    for (int k = firstStep; k <= kLastStep; ++k) {
      if (IsContact(tiles[b][k])) label(column, labels[b][k]);
    }
    if (tiles[b + 1][1] != Tile::Unused) ++column;
  }
  return column + 1;
}

// One circuit of a view, as the pitch sees it.
struct DrawnCircuit {
  const TileGrid& tiles;
  const LabelGrid& labels;
  std::string coilName;
  int slot;
};

ViewPitch PitchOf(const std::vector<DrawnCircuit>& circuits, GridStyle style) {
  // The branch pitch first: a label must not reach the next column.
  int widest = 0;
  for (const auto& c : circuits) {
    ForEachLabel(c.tiles, c.labels, style.firstStep,
                 [&](int, const std::string& text) { widest = std::max(widest, LabelWidth(text)); });
  }
  ViewPitch pitch;
  pitch.branch = WholeTilesAbove(kLabelOffsetX + widest - kLabelReach, kBranchPitch);
  // Then the gap: the labels of a circuit's last column and its coil name must
  // not reach the next circuit's main column, 1125 twips after the last column.
  constexpr int kNextMain = kBranchPitch + kTileTwips;
  int gap = 0;
  for (const auto& c : circuits) {
    int last = 0, widestLast = 0;
    const int columns = ForEachLabel(c.tiles, c.labels, style.firstStep, [&](int column, const std::string& text) {
      if (column > last) last = column, widestLast = 0;
      widestLast = std::max(widestLast, LabelWidth(text));
    });
    if (last == columns - 1) gap = std::max(gap, kLabelOffsetX + widestLast - kLabelReach - kNextMain);
    const int lastColumnX = (columns - 1) * pitch.branch;
    gap = std::max(gap, kLabelOffsetX + LabelWidth(c.coilName) - kLabelReach - kNextMain - lastColumnX);
  }
  pitch.gap = WholeTilesAbove(gap, 0);
  return pitch;
}

// The drawing cursor of one view: PenX/PenY is where the next cell goes,
// BranchX/BranchTopY the column and top of the branch being drawn.
class GridPainter {
public:
  GridPainter(Canvas& canvas, GridStyle style, ViewPitch pitch, int widest)
      : canvas_(canvas), style_(style), pitch_(pitch), widest_(widest) {
    canvas_.SetTextColor(kBlack);
  }

  // Draws one circuit after the ones already drawn; false when the view has
  // become too wide.
  bool DrawCircuit(const TileGrid& tiles, const LabelGrid& labels, const std::string& coilName) {
    penY_ = 0;
    OpenCircuit();
    mainX_ = branchX_;
    for (int b = 0; b <= kLastDrawnBranch; ++b) {
      DrawBranch(tiles, labels, b, coilName);
      if (tiles[b + 1][1] != Tile::Unused) {
        penY_ = branchTopY_;
        penX_ = branchX_ + pitch_.branch;
        branchX_ = penX_;
      }
    }
    // Supply lines across a widened gap to the next circuit.
    for (int x = branchX_ + kBranchPitch; x < branchX_ + kBranchPitch + pitch_.gap; x += kTileTwips) {
      Paint(kLineH, x, kTopRailY);
      Paint(kLineH, x, kBottomRailY + style_.depth);
    }
    penX_ = branchX_ + kBranchPitch + pitch_.gap;
    branchX_ = penX_;
    return penX_ <= widest_;
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
    for (int x = penX_ + kTileTwips; x < penX_ + pitch_.branch; x += kTileTwips) Paint(kLineH, x, kTopRailY);
    penY_ += kTileTwips;
    Paint(kLineD, penX_, penY_);
    penY_ += kTileTwips;
    branchTopY_ = penY_;
    branchX_ = penX_;
  }

  void DrawBranch(const TileGrid& tiles, const LabelGrid& labels, int b, const std::string& coilName) {
    for (int k = style_.firstStep; k <= kLastStep; ++k) {
      const Tile cell = tiles[b][k];
      if (cell != Tile::Unused) {
        if (b > 0) ExtendRails();
        PaintCell(cell, labels[b][k]);
      }
      if (b == 0 && k == kLastStep) CloseMainPath(coilName);
    }
  }

  // Both supply lines over the column of a lower branch.
  void ExtendRails() {
    for (int x = penX_; x < penX_ + pitch_.branch; x += kTileTwips) {
      Paint(kLineH, x, kTopRailY);
      Paint(kLineH, x, kBottomRailY + style_.depth);
    }
  }

  // Paints the cell at the cursor and moves down when it takes a step.
  void PaintCell(Tile cell, const std::string& label) {
    if (!TakesStep(cell, style_.twoPart)) return;
    if (!IsDrawn(cell)) {
      penY_ += kTileTwips;
      return;
    }
    Paint(TileImageSlot(cell), penX_, penY_);
    const bool linksRight =
        cell == Tile::Link || cell == Tile::TeeDown || cell == Tile::TeeRight || cell == Tile::TeeUp;
    if (linksRight) {
      for (int x = penX_ + kTileTwips; x < penX_ + pitch_.branch; x += kTileTwips) Paint(kLineH, x, penY_);
    }
    penY_ += kTileTwips;
    if (IsContact(cell)) Print(penX_ + kLabelOffsetX, penY_ - kLabelRaise, label);
  }

  // Wire down to the lowest wire, the coil with its name, and the tee into
  // the bottom supply line.
  void CloseMainPath(const std::string& coilName) {
    const int coilY = kCoilY + style_.depth;
    for (int m = penY_ / kTileTwips; m * kTileTwips < coilY; ++m) Paint(kLineD, penX_, m * kTileTwips);
    Paint(kCoil, penX_, coilY);
    Paint(kLineTU, penX_, kBottomRailY + style_.depth);
    for (int x = penX_ + kTileTwips; x < penX_ + pitch_.branch; x += kTileTwips) {
      Paint(kLineH, x, kBottomRailY + style_.depth);
    }
    Print(penX_ + kLabelOffsetX, kCoilLabelY + style_.depth, coilName);
  }

  Canvas& canvas_;
  const GridStyle style_;
  const ViewPitch pitch_;
  const int widest_;

public:
  int mainX_ = 0;  // the main column of the circuit drawn last
  int penX_ = 0;
  int penY_ = 0;
  int branchX_ = 0;
  int branchTopY_ = 0;
};

DrawOutcome DrawView(const std::vector<DrawnCircuit>& circuits, GridStyle style, Canvas& canvas, int widest,
                     std::vector<CircuitPlace>* places) {
  const ViewPitch pitch = PitchOf(circuits, style);
  GridPainter painter(canvas, style, pitch, widest);
  for (const auto& c : circuits) {
    const bool fits = painter.DrawCircuit(c.tiles, c.labels, c.coilName);
    if (places) places->push_back({c.slot, painter.mainX_, pitch.branch, kCoilY + style.depth});
    if (!fits) return DrawOutcome::TooWide;
  }
  return DrawOutcome::Complete;
}

std::string StateCoilName(int slot) { return std::string(1, static_cast<char>('A' + slot)); }

std::string SumCoilName(int slot, const EquationSet& equations) {
  if (slot < kStateVariables) return StateCoilName(slot);
  if (slot >= kFirstRelaySlot && slot < kFirstRelaySlot + kRelayCount)
    return equations.relayNames[slot - kFirstRelaySlot];
  return {};
}

}  // namespace

int LabelWidth(std::string_view text) {
  int width = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 32 && c < 127) {
      width += kAdvances[c - 32];
    } else if (c >= 0xC0 || c < 0x80) {  // the first byte of a character outside ASCII
      width += kWidestAdvance;
    }
  }
  return width;
}

int ExtraDepth(const TileGrid& tiles, int firstStep) {
  const bool twoPart = firstStep == 0;
  int penY = kFirstCellY;
  int lowest = penY;
  for (int b = 0; b <= kLastDrawnBranch; ++b) {
    for (int k = firstStep; k <= kLastStep; ++k) {
      if (TakesStep(tiles[b][k], twoPart)) penY += kTileTwips;
    }
    lowest = std::max(lowest, penY);
    if (tiles[b + 1][1] != Tile::Unused) penY = kFirstCellY;
  }
  return std::max(0, lowest - kCoilY);
}

DrawOutcome DrawSumCircuits(const LadderGrid& grid, const EquationSet& equations, Canvas& canvas, int widest,
                            std::vector<CircuitPlace>* places) {
  const int first = std::max(grid.FirstCircuit, 0);
  const int last = std::min(grid.LastCircuit, kLastRelaySlot);
  int depth = 0;
  for (int slot = first; slot <= last; ++slot) {
    if (grid.MainLength[slot] != 0) depth = std::max(depth, ExtraDepth(grid.SumTiles[slot], 1));
  }
  if (depth > 0) canvas.ExtendHeight(depth);
  const GridStyle style{1, false, depth};
  std::vector<DrawnCircuit> circuits;
  for (int slot = first; slot <= last; ++slot) {
    if (grid.MainLength[slot] != 0) {
      circuits.push_back({grid.SumTiles[slot], grid.SumLabels[slot], SumCoilName(slot, equations), slot});
    }
  }
  return DrawView(circuits, style, canvas, widest, places);
}

DrawOutcome DrawTwoPartCircuits(const LadderGrid& grid, Canvas& canvas, std::vector<CircuitPlace>* places) {
  const int first = std::max(grid.FirstCircuit, 0);
  const int last = std::min(grid.LastCircuit, kTwoPartEquations - 1);
  int depth = 0;
  for (int slot = first; slot <= last; ++slot) {
    if (grid.ResetWidth[slot] >= 1) depth = std::max(depth, ExtraDepth(grid.TwoPartTiles[slot], 0));
  }
  if (depth > 0) canvas.ExtendHeight(depth);
  const GridStyle style{0, true, depth};
  std::vector<DrawnCircuit> circuits;
  for (int slot = first; slot <= last; ++slot) {
    if (grid.ResetWidth[slot] >= 1) {
      circuits.push_back({grid.TwoPartTiles[slot], grid.TwoPartLabels[slot], StateCoilName(slot), slot});
    }
  }
  return DrawView(circuits, style, canvas, kWidestDrawing, places);
}

}  // namespace kelvo
