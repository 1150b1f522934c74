#include "output/TileShapes.h"

#include "output/TileImages.h"

namespace kelvo {
namespace {

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

}  // namespace

void DrawTileShape(QPainter& p, int slot) {
  switch (slot) {
    case 0:
      Coil(p);
      break;
    case 1:
      North(p);
      South(p);
      break;
    case 2:
      West(p);
      East(p);
      break;
    case 3:
      West(p);
      South(p);
      break;
    case 4:
      North(p);
      West(p);
      break;
    case 5:
      West(p);
      East(p);
      South(p);
      break;
    case 6:
      North(p);
      South(p);
      East(p);
      break;
    case 7:
      West(p);
      East(p);
      North(p);
      break;
    case 8:
      NormallyOpen(p);
      break;
    case 9:
      NormallyClosed(p);
      break;
    case 10:
      TimerCoil(p);
      break;
    case 11:
    case 13:
      NormallyOpen(p);
      DelayMark(p, slot == 11);
      break;
    case 12:
    case 14:
      NormallyClosed(p);
      DelayMark(p, slot == 12);
      break;
    default:
      break;
  }
}

QImage RenderTileImage(int slot) {
  QImage image(kTilePixels, kTilePixels, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(Qt::black, 0));  // cosmetic: exactly one pixel wide
  p.setBrush(Qt::NoBrush);
  DrawTileShape(p, slot);
  return image;
}

}  // namespace kelvo
