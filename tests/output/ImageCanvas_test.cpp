#include "output/ImageCanvas.h"

#include <gtest/gtest.h>

#include <QRect>

namespace kelvo {
namespace {

// Synthetic tiles: slot n is filled with a grey of its own, slot 2 is red.
std::array<QImage, kTileCount> SolidTiles() {
  std::array<QImage, kTileCount> tiles;
  for (int slot = 0; slot < kTileCount; ++slot) {
    tiles[slot] = QImage(kTilePixels, kTilePixels, QImage::Format_RGB32);
    tiles[slot].fill(QColor(10 * slot, 10 * slot, 10 * slot));
  }
  tiles[2].fill(Qt::red);
  return tiles;
}

// The box around every pixel that is not white.
QRect InkBox(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
  return box;
}

TEST(ImageCanvas, IsAWhite977By585Picture) {
  ImageCanvas canvas(SolidTiles());
  EXPECT_TRUE(canvas.IsBlank());
  EXPECT_EQ(canvas.Size(), QSize(977, 585));
  EXPECT_EQ(canvas.Image().size(), QSize(977, 585));
  EXPECT_EQ(canvas.Image().format(), QImage::Format_RGB32);
  EXPECT_TRUE(InkBox(canvas.Image()).isNull());
  // Grown before anything was painted, it is white all over.
  ImageCanvas grown(SolidTiles());
  grown.ExtendHeight(1500);
  EXPECT_EQ(grown.Image().size(), QSize(977, 685));
  EXPECT_TRUE(InkBox(grown.Image()).isNull());
}

TEST(ImageCanvas, TileIsPaintedAtNaturalSizeAt15TwipsPerPixel) {
  ImageCanvas canvas(SolidTiles());
  canvas.PaintTile(2, 375, 750);
  EXPECT_EQ(InkBox(canvas.Image()), QRect(25, 50, 25, 25));
  EXPECT_EQ(canvas.Image().pixel(25, 50), qRgb(255, 0, 0));
}

TEST(ImageCanvas, TileAtTheRightEdgeIsCutOff) {
  ImageCanvas canvas(SolidTiles());
  canvas.PaintTile(2, 14625, 0);  // branch 19 of a circuit too wide for the canvas
  EXPECT_EQ(InkBox(canvas.Image()), QRect(975, 0, 2, 25));
}

TEST(ImageCanvas, TextHasItsTopLeftCornerAtTheTextPosition) {
  ImageCanvas canvas(SolidTiles());
  canvas.SetTextColor({255, 0, 0});
  canvas.SetTextPosition(1500, 3000);
  canvas.PrintText("X1");
  const QRect box = InkBox(canvas.Image());
  ASSERT_FALSE(box.isNull());
  EXPECT_GE(box.left(), 100);
  EXPECT_LE(box.left(), 102);
  EXPECT_GE(box.top(), 200);
  EXPECT_LE(box.bottom(), 200 + 14);  // one 12-pixel line
  EXPECT_LE(box.right(), 100 + 24);
  bool red = false;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x) red = red || canvas.Image().pixel(x, y) == qRgb(255, 0, 0);
  EXPECT_TRUE(red) << "text not in the text colour";
}

TEST(ImageCanvas, ClearWipesEverything) {
  ImageCanvas canvas(SolidTiles());
  canvas.PaintTile(5, 0, 0);
  canvas.SetTextPosition(750, 750);
  canvas.PrintText("label");
  canvas.Clear();
  EXPECT_TRUE(InkBox(canvas.Image()).isNull());
}

}  // namespace
}  // namespace kelvo
