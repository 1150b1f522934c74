#pragma once
// The window's canvas: a persistent white picture of 977 x 585 pixels
// (14655 x 8775 twips) that the ladder drawing paints into in twips. Tiles are
// painted at their natural size; text is printed in a fixed font with its
// top-left corner at the text position. Twips become pixels in one place,
// ToPixels; a screen-only layer for markers can sit on top of Image() later.

#include <QFont>
#include <QImage>

#include <array>

#include "ladder/Canvas.h"
#include "ui/TileImages.h"

namespace kelvo {

class ImageCanvas : public Canvas {
public:
  explicit ImageCanvas(const std::array<QImage, kTileCount>& tiles = {});
  void SetTiles(const std::array<QImage, kTileCount>& tiles) { tiles_ = tiles; }

  void Clear() override;
  void PaintTile(int slot, int x, int y) override;
  void SetTextColor(Rgb color) override;
  void SetTextPosition(int x, int y) override;
  // Prints one line, then moves the text position to the start of the next.
  void PrintText(const std::string& text) override;

  const QImage& Image() const { return image_; }
  const QFont& Font() const { return font_; }

  static int ToPixels(int twips);

private:
  std::array<QImage, kTileCount> tiles_;
  QImage image_;
  QFont font_;
  QColor textColor_ = Qt::black;
  int textX_ = 0, textY_ = 0;  // twips
};

}  // namespace kelvo
