#pragma once
// Looking at recorded drawings in tests.

#include <ostream>
#include <vector>

#include "ladder/RecordingCanvas.h"

namespace kelvo {

// gtest prints operations this way in failure messages.
inline void PrintTo(const CanvasOp& op, std::ostream* os) { *os << Describe(op); }

namespace testing {

// The tiles of image slot `slot`, in painting order.
inline std::vector<CanvasOp> TilesOf(const std::vector<CanvasOp>& ops, int slot) {
  std::vector<CanvasOp> tiles;
  for (const auto& op : ops)
    if (op.kind == CanvasOp::Kind::Tile && op.slot == slot) tiles.push_back(op);
  return tiles;
}

inline std::vector<CanvasOp> TextsOf(const std::vector<CanvasOp>& ops) {
  std::vector<CanvasOp> texts;
  for (const auto& op : ops)
    if (op.kind == CanvasOp::Kind::Text) texts.push_back(op);
  return texts;
}

// Whether a tile of slot `slot` was painted at (x, y).
inline bool HasTile(const std::vector<CanvasOp>& ops, int slot, int x, int y) {
  for (const auto& op : ops)
    if (op == CanvasOp::Tile(slot, x, y)) return true;
  return false;
}

}  // namespace testing
}  // namespace kelvo
