#pragma once
// A canvas that paints nothing and remembers what it was asked to paint: every
// tile and every printed text since the last Clear, in painting order. The
// tests compare drawings through it, and the command-line tool reports its
// operations as the drawing.

#include <string>
#include <vector>

#include "ladder/Canvas.h"

namespace kelvo {

struct CanvasOp {
  enum class Kind { Tile, Text };
  Kind kind = Kind::Tile;
  int slot = 0;      // tile image slot; 0 for a text
  int x = 0, y = 0;  // top-left of the tile, or the text position when printed
  std::string text;  // the printed text; empty for a tile

  static CanvasOp Tile(int slot, int x, int y) { return {Kind::Tile, slot, x, y, {}}; }
  static CanvasOp Text(int x, int y, std::string text) { return {Kind::Text, 0, x, y, std::move(text)}; }
  bool operator==(const CanvasOp&) const = default;
};

// "tile 8 at (375, 1875)" or "text "X1" at (775, 2000)", for messages.
std::string Describe(const CanvasOp& op);

class RecordingCanvas : public Canvas {
public:
  void Clear() override;
  void PaintTile(int slot, int x, int y) override;
  void SetTextColor(Rgb color) override { textColor_ = color; }
  void SetTextPosition(int x, int y) override;
  void PrintText(const std::string& text) override;
  void ExtendHeight(int twips) override;
  void ExtendWidth(int twips) override;

  const std::vector<CanvasOp>& Ops() const { return ops_; }
  Rgb TextColor() const { return textColor_; }
  int ClearCount() const { return clears_; }
  // How much taller than usual the picture was made since the last Clear.
  int ExtraHeight() const { return extraHeight_; }
  int ExtraWidth() const { return extraWidth_; }

private:
  std::vector<CanvasOp> ops_;
  Rgb textColor_;
  int textX_ = 0, textY_ = 0;
  int clears_ = 0;
  int extraHeight_ = 0;
  int extraWidth_ = 0;
};

}  // namespace kelvo
