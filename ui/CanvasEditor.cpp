#include "ui/CanvasEditor.h"

#include <algorithm>
#include <cmath>

namespace kelvo {
namespace {

int Round(double v) { return static_cast<int>(std::lround(v)); }

QString Shortest(double v) { return QString::number(v, 'g', 15); }

QPoint Px(int x, int y) { return {ImageCanvas::ToPixels(x), ImageCanvas::ToPixels(y)}; }

void XorLine(QPainter& p, int x1, int y1, int x2, int y2) { p.drawLine(Px(x1, y1), Px(x2, y2)); }

void SetXorPen(QPainter& p, QColor color) {
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(color, 0));
}

}  // namespace

const std::array<Rgb, kPaletteSize> kTextPalette{{{255, 255, 255},
                                                  {192, 255, 255},
                                                  {0, 192, 192},
                                                  {192, 192, 255},
                                                  {0, 0, 255},
                                                  {0, 0, 128},
                                                  {192, 255, 192},
                                                  {0, 255, 0},
                                                  {0, 128, 0},
                                                  {255, 192, 192},
                                                  {255, 0, 0},
                                                  {128, 0, 0},
                                                  {0, 0, 0}}};

CanvasEditor::CanvasEditor(ImageCanvas& canvas, CircuitViews& views, const TileImages& tiles, UserDialogs& dialogs)
    : canvas_(canvas), views_(views), tiles_(tiles), dialogs_(dialogs) {}

void CanvasEditor::XorCrosshair(QImage& image, int x, int y, bool rubber, double scale) {
  // A tall or wide drawing is taller or wider than the canvas.
  const int bottom = std::max(kCanvasHeightTwips, Round(image.height() / scale) * kTwipsPerPixel);
  const int right = std::max(kCanvasWidthTwips, Round(image.width() / scale) * kTwipsPerPixel);
  QPainter p(&image);
  p.scale(scale, scale);
  if (rubber) {
    SetXorPen(p, QColor(255, 255, 0));
    p.drawRect(QRect(Px(x - kCrosshairHalf, y - kCrosshairHalf), Px(x + kCrosshairHalf, y + kCrosshairHalf)));
    SetXorPen(p, QColor(255, 0, 0));
    XorLine(p, right, y, x + kCrosshairHalf, y);
    XorLine(p, x, bottom, x, y + kCrosshairHalf);
    XorLine(p, x - kCrosshairHalf, y, 0, y);
    XorLine(p, x, y - kCrosshairHalf, x, 0);
  } else {
    SetXorPen(p, QColor(255, 0, 0));
    XorLine(p, right, y, 0, y);
    XorLine(p, x, bottom, x, 0);
  }
}

void CanvasEditor::XorMarker(QImage& image, int x, int y, double scale) {
  QPainter p(&image);
  p.scale(scale, scale);
  SetXorPen(p, QColor(0, 255, 0));
  XorLine(p, x, y, x + kMarkerWidth, y);
  XorLine(p, x, y + kMarkerHeight, x, y);
  XorLine(p, x, y + kMarkerHeight, x + kMarkerWidth, y + kMarkerHeight);
  XorLine(p, x + kMarkerWidth, y, x + kMarkerWidth, y + kMarkerHeight);
}

void CanvasEditor::PaintScreenLayer(QImage& screen, double scale) const {
  if (CircAdd && preview_ && AddNo >= 0 && AddNo < kTileCount) {
    QPainter p(&screen);
    p.scale(scale, scale);
    p.drawImage(Px(preview_->x(), preview_->y()), tiles_.Image(AddNo));
  }
  if (CrosshairShown) XorCrosshair(screen, LastX, LastY, crosshairRubber_, scale);
  if (views_.InsertPointSet) XorMarker(screen, InsertX, InsertY, scale);
}

QImage CanvasEditor::ScreenImage() const {
  // Shares the canvas's pixels; the first figure painted copies them, so a
  // screen without crosshair, marker or preview costs no copy of the canvas.
  QImage screen = canvas_.Image();
  PaintScreenLayer(screen);
  return screen;
}

void CanvasEditor::RemoveCrosshair() { CrosshairShown = false; }

void CanvasEditor::RemoveMarker() { views_.InsertPointSet = false; }

bool CanvasEditor::AddCirc_Click() {
  if (CircAdd) {
    CircAdd = false;
    AddCircUnderlined = false;
    preview_.reset();
    Changed();
    return false;
  }
  CircAdd = true;
  AddCircUnderlined = true;
  RemoveCrosshair();  // placement shows the preview alone
  if (RubberOn) RubberOn_Click(false);
  RemoveMarker();
  Changed();
  return true;
}

void CanvasEditor::PickerOpened() { AddNo = -1; }

void CanvasEditor::InsOK_Click(int slot) {
  if (slot < 0 || slot >= kTileCount) return;
  CircAdd = true;
  AddNo = slot;
}

void CanvasEditor::PickerClosed(bool byUser) {
  if (byUser) CircAdd = false;
  AddCircUnderlined = false;
  Changed();
}

void CanvasEditor::CancelPlacement() {
  if (!CircAdd) return;
  CircAdd = false;
  AddNo = -1;
  preview_.reset();
  Changed();
}

void CanvasEditor::Track(double x, double y) {
  CurrTxtXY = Shortest(x) + QStringLiteral(" , ") + Shortest(y);
  PlaceX = x;
  PlaceY = Round(y);
  LastX = Round(x);
  LastY = Round(y);
}

void CanvasEditor::Picture1_MouseMove(bool leftButton, double x, double y) {
  const bool moved = x != LastX || y != LastY;
  if (CircAdd) {
    if (moved) {
      preview_ = QPoint(Round(x), Round(y));
      Track(x, y);
    }
  } else if (moved) {
    RemoveCrosshair();
    Track(x, y);
    crosshairRubber_ = RubberOn;
    CrosshairShown = true;
  }
  if (!CircAdd && RubberOn && leftButton) Rub(x, y);
  Changed();
}

void CanvasEditor::LeaveCanvas() {
  if (CircAdd) return;
  RemoveCrosshair();
  CurrTxtXY = QStringLiteral("-");
  Changed();
}

void CanvasEditor::Picture1_Click() {
  if (CircAdd) {
    if (AddNo < 0 || AddNo >= kTileCount) return;
    views_.AddHandEdit(HandEdit::Stamp(AddNo, Round(PlaceX), PlaceY), "Stamp");
    AddCircUnderlined = false;
    views_.InsertPointSet = false;
  } else if (!RubberOn) {
    ChooseInsertPoint();
  }
  Changed();
}

void CanvasEditor::Picture1_MouseUp(bool leftButton, double x, double y) {
  if (CircAdd || !RubberOn || !leftButton) return;
  Rub(x, y);
  stroking_ = false;  // the next press starts a new stroke
  Changed();
}

void CanvasEditor::Rub(double x, double y) {
  const HandEditBox box{Round(x) - kRubberHalf, Round(y) - kRubberHalf, Round(x) + kRubberHalf, Round(y) + kRubberHalf};
  if (stroking_) {
    views_.ExtendStroke(box);
  } else {
    stroking_ = views_.AddHandEdit(HandEdit::Rub(box), "Rub Out");
  }
}

void CanvasEditor::RubberOn_Click(bool ticked) {
  RubberOn = ticked;
  if (ticked) {
    AddCircUnderlined = false;
    CircAdd = false;
    AddNo = -1;
    preview_.reset();
  }
  RemoveMarker();
  Changed();
}

void CanvasEditor::ChooseInsertPoint() {
  InsertX = Round(PlaceX);
  InsertY = PlaceY;
  views_.InsertPointSet = true;
}

void CanvasEditor::ColorFr_Click(int index) {
  if (index < 0 || index >= kPaletteSize) return;
  CurrColor = kTextPalette[index];
  Changed();
}

void CanvasEditor::InsText_Click(const std::string& text) {
  if (CircAdd || text.empty()) return;
  if (!views_.InsertPointSet) {
    dialogs_.Notify("You must choose an insertion point first");
    return;
  }
  RemoveMarker();
  views_.AddHandEdit(HandEdit::Text(InsertX, InsertY, text, CurrColor), "Add Text");
  Changed();
}

}  // namespace kelvo
