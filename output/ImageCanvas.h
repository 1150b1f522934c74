#pragma once
// The window's canvas: a persistent white picture of 977 x 585 pixels
// (14655 x 8775 twips) that the ladder drawing paints into in twips. Tiles are
// painted at their natural size; text is printed in a fixed font with its
// top-left corner at the text position. Twips become pixels in one place,
// ToPixels; a screen-only layer for markers can sit on top of Image() later.
// The pixels are made when first needed, so a window showing an empty canvas
// need not make them.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <array>
#include <memory>
#include <string>
#include <unordered_map>

#include "ladder/Canvas.h"
#include "output/PicturePlayer.h"
#include "output/TileImages.h"

namespace kelvo {

class ImageCanvas : public Canvas {
public:
  explicit ImageCanvas(const std::array<QImage, kTileCount>& tiles = {});
  ~ImageCanvas() override;
  ImageCanvas(const ImageCanvas&) = delete;
  ImageCanvas& operator=(const ImageCanvas&) = delete;
  void SetTiles(const std::array<QImage, kTileCount>& tiles) { tiles_ = AsCanvasFormat(tiles); }

  void Clear() override;
  void PaintTile(int slot, int x, int y) override;
  void SetTextColor(Rgb color) override;
  void SetTextPosition(int x, int y) override;
  // Prints one line, then moves the text position to the start of the next.
  void PrintText(const std::string& text) override;
  // The picture grows downward, keeping what it holds.
  void ExtendHeight(int twips) override;
  // The picture grows to the right, keeping what it holds.
  void ExtendWidth(int twips) override;

  // Fills the box between two corners (twips, both included) into the picture.
  void FillBox(int x1, int y1, int x2, int y2, Rgb color) override;
  void SetHandEdit(bool on) override { handEdit_ = on; }
  // An imported picture: drawn at its natural size from the top-left corner on
  // a white canvas, which keeps its own size.
  void SetPicture(const QImage& picture);

  const QImage& Image() const;
  QSize Size() const { return image_.isNull() ? UsualSize() : image_.size(); }
  // Nothing painted since the canvas was made: Image() would be all white.
  bool IsBlank() const { return image_.isNull(); }
  const QFont& Font() const { return font_; }
  const std::array<QImage, kTileCount>& Tiles() const { return tiles_; }

  // Every op painted since the last Clear, to play the picture onto other
  // targets; and a number that changes whenever the picture does.
  const PictureRecord& Record() const { return record_; }
  int Revision() const { return revision_; }

  static int ToPixels(int twips);
  // A window rectangle given in twips, in pixels.
  static QRect ToPixels(int left, int top, int width, int height) {
    return {ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height)};
  }

private:
  static std::array<QImage, kTileCount> AsCanvasFormat(const std::array<QImage, kTileCount>& tiles);
  void EndText() const;
  void Record(PictureOp op);
  void Grow(QSize size);
  static QSize UsualSize();
  // The pixels, made white at the usual size when the canvas is still blank.
  QImage& Pixels() const;

  std::array<QImage, kTileCount> tiles_;
  mutable QImage image_;  // null until the pixels are first needed
  QFont font_;
  QColor textColor_ = Qt::black;
  int textX_ = 0, textY_ = 0;  // twips
  int lineHeight_ = 0;         // pixels, of font_
  mutable std::unique_ptr<QPainter> textPainter_;
  std::unordered_map<std::string, QStaticText> texts_;
  PictureRecord record_;
  bool handEdit_ = false;
  int revision_ = 0;
};

}  // namespace kelvo
