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
  if (PlacingShown()) {
    QPainter p(&screen);
    p.scale(scale, scale);
    p.drawImage(Px(preview_->x(), preview_->y()), tiles_.Image(componentSlot));
  }
  if (crosshairShown) XorCrosshair(screen, pointerX, pointerY, crosshairRubber_, scale);
  if (views_.InsertPointSet) XorMarker(screen, insertX, insertY, scale);
}

QImage CanvasEditor::ScreenImage() const {
  // Shares the canvas's pixels; the first figure painted copies them, so a
  // screen without crosshair, marker or preview costs no copy of the canvas.
  // A blank canvas with none of them is a null image: the view paints white.
  if (canvas_.IsBlank() && !ScreenLayerShown()) return {};
  QImage screen = canvas_.Image();
  PaintScreenLayer(screen);
  return screen;
}

void CanvasEditor::RemoveCrosshair() { crosshairShown = false; }

void CanvasEditor::RemoveMarker() { views_.InsertPointSet = false; }

bool CanvasEditor::ToggleAddComponent() {
  if (placing) {
    placing = false;
    addComponentUnderlined = false;
    preview_.reset();
    Changed();
    return false;
  }
  placing = true;
  addComponentUnderlined = true;
  RemoveCrosshair();  // placement shows the preview alone
  if (rubberMode) SetRubberMode(false);
  RemoveMarker();
  Changed();
  return true;
}

void CanvasEditor::PickerOpened() { componentSlot = -1; }

void CanvasEditor::ComponentChosen(int slot) {
  if (slot < 0 || slot >= kTileCount) return;
  placing = true;
  componentSlot = slot;
}

void CanvasEditor::PickerClosed(bool byUser) {
  if (byUser) placing = false;
  addComponentUnderlined = false;
  Changed();
}

void CanvasEditor::CancelPlacement() {
  if (!placing) return;
  placing = false;
  componentSlot = -1;
  preview_.reset();
  Changed();
}

void CanvasEditor::Track(double x, double y) {
  pointerText = Shortest(x) + QStringLiteral(" , ") + Shortest(y);
  placeX = x;
  placeY = Round(y);
  pointerX = Round(x);
  pointerY = Round(y);
}

void CanvasEditor::PointerMoved(bool leftButton, double x, double y) {
  const bool moved = x != pointerX || y != pointerY;
  if (placing) {
    if (moved) {
      preview_ = QPoint(Round(x), Round(y));
      Track(x, y);
    }
  } else if (moved) {
    RemoveCrosshair();
    Track(x, y);
    crosshairRubber_ = rubberMode;
    crosshairShown = true;
  }
  if (!placing && rubberMode && leftButton) Rub(x, y);
  Changed();
}

void CanvasEditor::LeaveCanvas() {
  if (placing) return;
  RemoveCrosshair();
  pointerText = QStringLiteral("-");
  Changed();
}

void CanvasEditor::Clicked() {
  if (placing) {
    if (componentSlot < 0 || componentSlot >= kTileCount) return;
    views_.AddHandEdit(HandEdit::Stamp(componentSlot, Round(placeX), placeY), "Stamp");
    addComponentUnderlined = false;
    views_.InsertPointSet = false;
  } else if (!rubberMode) {
    ChooseInsertPoint();
  }
  Changed();
}

void CanvasEditor::PointerReleased(bool leftButton, double x, double y) {
  if (placing || !rubberMode || !leftButton) return;
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

void CanvasEditor::SetRubberMode(bool ticked) {
  rubberMode = ticked;
  if (ticked) {
    addComponentUnderlined = false;
    placing = false;
    componentSlot = -1;
    preview_.reset();
  }
  RemoveMarker();
  Changed();
}

void CanvasEditor::ChooseInsertPoint() {
  insertX = Round(placeX);
  insertY = placeY;
  views_.InsertPointSet = true;
}

void CanvasEditor::ChooseColour(int index) {
  if (index < 0 || index >= kPaletteSize) return;
  textColour = kTextPalette[index];
  Changed();
}

void CanvasEditor::InsertText(const std::string& text) {
  if (placing || text.empty()) return;
  if (!views_.InsertPointSet) {
    dialogs_.Notify("You must choose an insertion point first");
    return;
  }
  RemoveMarker();
  views_.AddHandEdit(HandEdit::Text(insertX, insertY, text, textColour), "Add Text");
  Changed();
}

}  // namespace kelvo
