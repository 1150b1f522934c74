#pragma once
// The picture on the canvas as the ops that made it, and their player. The
// canvas records every op it paints since it was last cleared: the drawing's
// tiles and labels, then the hand edits (stamps, rubbed squares, coloured
// texts), and an imported picture. Played back at scale 1 with the tile
// images, the ops give the canvas's picture pixel for pixel; played at any
// other scale, or onto an SVG or PDF page, tiles are drawn as lines and texts
// as text, so both stay sharp.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>
#include <array>
#include <vector>

#include "output/TileImages.h"

namespace kelvo {

struct PictureOp {
  enum class Kind { Tile, Text, Box, Picture };
  Kind kind = Kind::Tile;
  bool handEdit = false;  // made by hand on the canvas, not by the drawing
  int slot = 0;           // tile
  int x = 0, y = 0;       // twips: a tile's or a text's top-left, a box's first corner
  int x2 = 0, y2 = 0;     // twips: a box's second corner (included)
  QString text;
  QColor color;    // text and box
  QImage picture;  // imported, drawn at its natural size from the top-left corner

  static PictureOp Tile(int slot, int x, int y) {
    PictureOp op;
    op.slot = slot, op.x = x, op.y = y;
    return op;
  }
  static PictureOp Text(int x, int y, QString text, QColor color) {
    PictureOp op;
    op.kind = Kind::Text, op.x = x, op.y = y, op.text = std::move(text), op.color = color;
    return op;
  }
  static PictureOp Box(int x1, int y1, int x2, int y2, QColor color) {
    PictureOp op;
    op.kind = Kind::Box, op.x = x1, op.y = y1, op.x2 = x2, op.y2 = y2, op.color = color;
    return op;
  }
  static PictureOp Picture(QImage picture) {
    PictureOp op;
    op.kind = Kind::Picture, op.picture = std::move(picture);
    return op;
  }
};

struct PictureRecord {
  QSize size;  // pixels at scale 1
  std::vector<PictureOp> ops;
};

enum class TileStyle {
  Images,  // the tile images, as the canvas stamps them
  Lines,   // the tile symbols drawn as lines at the painter's scale
};

// The canvas's drawing font: DejaVu Sans, 12 pixels.
QFont DrawingFont();
// `text` as a picture holds it: every control character, and every character
// an SVG's XML cannot hold (U+FFFE, U+FFFF), becomes U+FFFD, so that a name
// from a file draws the same on the screen and in every file format.
QString DrawableText(const QString& text);

// The part of the picture its ops paint (the drawing, its hand edits, an
// imported picture) with a margin of one tile, within the picture; the whole
// picture when nothing is painted. Exports, copies and prints show this part.
QRect DrawnArea(const PictureRecord& record);

// Plays the ops onto `p`, whose transformation maps one 96-dpi pixel of the
// picture to whatever the target needs. The background is not painted.
void PlayPicture(QPainter& p, const PictureRecord& record, const std::array<QImage, kTileCount>& tiles,
                 TileStyle style);

// The picture on white at `scale` device pixels per picture pixel; at scale 1
// with the tile images, at any other scale with lines. The image's device
// pixel ratio is `scale`, so it paints at the picture's size. A null image
// when that many pixels would pass the largest picture (PictureFits).
QImage RenderPicture(const PictureRecord& record, const std::array<QImage, kTileCount>& tiles, double scale);

}  // namespace kelvo
