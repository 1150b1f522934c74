// Draws the fifteen 25x25 tile images and writes them as 24-bit Windows
// bitmaps into the folder named on the command line (default "Bitmaps"):
//
//   cmake --build --preset default --target kelvo16s-make-tiles
//   build/kelvo16s-make-tiles Bitmaps
//
// Black one-pixel lines on white. Every wire runs along the middle row or
// column (pixel 12), so that tiles join their neighbours seamlessly: N is the
// middle of the top edge, S of the bottom edge, W of the left, E of the right.
// Contacts, coils and timers sit on a N-S wire and keep clear of the right
// part of the tile, where the drawing prints their labels.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <functional>

#include "output/TileImages.h"

namespace {

using kelvo::kTilePixels;
constexpr int kMid = kTilePixels / 2;
constexpr int kEdge = kTilePixels - 1;

// Contact plates across the wire, and the gap between them.
constexpr int kUpperPlate = 9;
constexpr int kLowerPlate = 15;
constexpr int kPlateLeft = 6;
constexpr int kPlateRight = 18;

void North(QPainter& p) { p.drawLine(kMid, 0, kMid, kMid); }
void South(QPainter& p) { p.drawLine(kMid, kMid, kMid, kEdge); }
void West(QPainter& p) { p.drawLine(0, kMid, kMid, kMid); }
void East(QPainter& p) { p.drawLine(kMid, kMid, kEdge, kMid); }

// A N-S wire broken between `top` and `bottom` for a symbol.
void BrokenWire(QPainter& p, int top, int bottom) {
  p.drawLine(kMid, 0, kMid, top);
  p.drawLine(kMid, bottom, kMid, kEdge);
}

void NormallyOpen(QPainter& p) {
  BrokenWire(p, kUpperPlate, kLowerPlate);
  p.drawLine(kPlateLeft, kUpperPlate, kPlateRight, kUpperPlate);
  p.drawLine(kPlateLeft, kLowerPlate, kPlateRight, kLowerPlate);
}

void NormallyClosed(QPainter& p) {
  NormallyOpen(p);
  p.drawLine(kPlateLeft - 1, kLowerPlate + 2, kPlateRight + 1, kUpperPlate - 2);
}

void Coil(QPainter& p) {
  BrokenWire(p, kMid - 6, kMid + 6);
  p.drawEllipse(QRect(kMid - 6, kMid - 6, 12, 12));
}

// A timer coil: a box with an hourglass inside.
void TimerCoil(QPainter& p) {
  BrokenWire(p, kMid - 6, kMid + 6);
  p.drawRect(QRect(kMid - 6, kMid - 6, 12, 12));
  p.drawLine(kMid - 3, kMid - 3, kMid + 3, kMid + 3);
  p.drawLine(kMid + 3, kMid - 3, kMid - 3, kMid + 3);
  p.drawLine(kMid - 3, kMid - 3, kMid + 3, kMid - 3);
  p.drawLine(kMid - 3, kMid + 3, kMid + 3, kMid + 3);
}

// The delay mark left of a timer contact: a stem from between the plates
// ending in an arc, bowed away from the contact for a delay on switching on
// and towards it for a delay on switching off.
void DelayMark(QPainter& p, bool onDelay) {
  const int bow = onDelay ? 1 : 3;   // x of the arc's middle
  const int tips = onDelay ? 3 : 1;  // x of its two ends
  const int between = 2;
  p.drawLine(tips, kUpperPlate, between, kUpperPlate + 1);
  p.drawLine(bow, kUpperPlate + 2, bow, kLowerPlate - 2);
  p.drawLine(between, kLowerPlate - 1, tips, kLowerPlate);
  p.drawLine(bow + 1, kMid, kPlateLeft - 1, kMid);
}

struct TileArt {
  int slot;
  std::function<void(QPainter&)> draw;
};

QImage Render(const std::function<void(QPainter&)>& draw) {
  QImage image(kTilePixels, kTilePixels, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(Qt::black, 0));  // cosmetic: exactly one pixel wide
  p.setBrush(Qt::NoBrush);
  draw(p);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Bitmaps");
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "Cannot create the folder %s\n", qPrintable(folder));
    return 1;
  }
  const TileArt tiles[] = {
      {0, Coil},
      {1,
       [](QPainter& p) {
         North(p);
         South(p);
       }},
      {2,
       [](QPainter& p) {
         West(p);
         East(p);
       }},
      {3,
       [](QPainter& p) {
         West(p);
         South(p);
       }},
      {4,
       [](QPainter& p) {
         North(p);
         West(p);
       }},
      {5,
       [](QPainter& p) {
         West(p);
         East(p);
         South(p);
       }},
      {6,
       [](QPainter& p) {
         North(p);
         South(p);
         East(p);
       }},
      {7,
       [](QPainter& p) {
         West(p);
         East(p);
         North(p);
       }},
      {8, NormallyOpen},
      {9, NormallyClosed},
      {10, TimerCoil},
      {11,
       [](QPainter& p) {
         NormallyOpen(p);
         DelayMark(p, true);
       }},
      {12,
       [](QPainter& p) {
         NormallyClosed(p);
         DelayMark(p, true);
       }},
      {13,
       [](QPainter& p) {
         NormallyOpen(p);
         DelayMark(p, false);
       }},
      {14,
       [](QPainter& p) {
         NormallyClosed(p);
         DelayMark(p, false);
       }},
  };
  for (const auto& tile : tiles) {
    const QString path = QDir(folder).filePath(QString::fromLatin1(kelvo::TileImages::kFileNames[tile.slot]));
    if (!Render(tile.draw).save(path, "BMP")) {
      std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
