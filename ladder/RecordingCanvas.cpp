#include "ladder/RecordingCanvas.h"

#include <algorithm>

namespace kelvo {

std::string Describe(const CanvasOp& op) {
  const std::string at = " at (" + std::to_string(op.x) + ", " + std::to_string(op.y) + ")";
  if (op.kind == CanvasOp::Kind::Tile) return "tile " + std::to_string(op.slot) + at;
  return "text \"" + op.text + "\"" + at;
}

void RecordingCanvas::Clear() {
  ops_.clear();
  textX_ = textY_ = 0;
  extraHeight_ = 0;
  extraWidth_ = 0;
  ++clears_;
}

void RecordingCanvas::ExtendHeight(int twips) { extraHeight_ = std::max(extraHeight_, twips); }

void RecordingCanvas::ExtendWidth(int twips) { extraWidth_ = std::max(extraWidth_, twips); }

void RecordingCanvas::PaintTile(int slot, int x, int y) { ops_.push_back(CanvasOp::Tile(slot, x, y)); }

void RecordingCanvas::SetTextPosition(int x, int y) {
  textX_ = x;
  textY_ = y;
}

// The recording knows no font, so the text position stays where it was;
// every drawing sets it before it prints.
void RecordingCanvas::PrintText(const std::string& text) { ops_.push_back(CanvasOp::Text(textX_, textY_, text)); }

}  // namespace kelvo
