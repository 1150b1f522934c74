#pragma once
// The surface the ladder drawing paints on, in twips (1440 per inch; one
// 96-dpi pixel is 15 twips). The program's QImage canvas, the command-line
// tool's bitmap and the tests' recording canvas implement it.

#include <cstdint>
#include <string>

namespace kelvo {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kCanvasWidthTwips = 14655;
inline constexpr int kCanvasHeightTwips = 8775;

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

class Canvas {
public:
  virtual ~Canvas() = default;
  // Removes the picture and everything drawn on it (white again).
  virtual void Clear() = 0;
  // Paints tile image `slot` (0..14) at its natural size, top-left corner at (x, y).
  virtual void PaintTile(int slot, int x, int y) = 0;
  virtual void SetTextColor(Rgb color) = 0;
  virtual void SetTextPosition(int x, int y) = 0;
  // Prints one line of text at the text position in the canvas's font.
  virtual void PrintText(const std::string& text) = 0;
  // Makes the picture `twips` taller than kCanvasHeightTwips (white below),
  // for a drawing that needs more room; Clear() gives back the usual height.
  virtual void ExtendHeight(int twips) { (void)twips; }
  // Makes the picture `twips` wider than kCanvasWidthTwips (white to the
  // right), for the relay view of a table with many relays.
  virtual void ExtendWidth(int twips) { (void)twips; }
  // Fills the box between two corners (twips, both included); a canvas that
  // only records the drawing ignores it.
  virtual void FillBox(int x1, int y1, int x2, int y2, Rgb color) {
    (void)x1, (void)y1, (void)x2, (void)y2, (void)color;
  }
  // While on, what is painted is a hand edit over the drawing, not the drawing.
  virtual void SetHandEdit(bool on) { (void)on; }
};

}  // namespace kelvo
