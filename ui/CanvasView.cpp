#include "ui/CanvasView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "common/PictureBounds.h"

namespace kelvo {

CanvasView::CanvasView(ImageCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
  setFixedSize(canvas_.Size());
}

QSize CanvasView::ZoomedSize() const {
  const QSize size = canvas_.Size();
  return {static_cast<int>(std::ceil(size.width() * zoom_)), static_cast<int>(std::ceil(size.height() * zoom_))};
}

QSize CanvasView::sizeHint() const { return ZoomedSize(); }

bool CanvasView::Fits(double zoom) const {
  const QSize size = canvas_.Size();
  const double scale = zoom * devicePixelRatioF();
  return PictureFits(size.width() * scale, size.height() * scale);
}

std::string CanvasView::TooLarge(double zoom) const {
  const QSize size = canvas_.Size();
  const double scale = zoom * devicePixelRatioF();
  return PictureTooLarge(size.width() * scale, size.height() * scale);
}

bool CanvasView::SetZoom(double zoom) {
  zoom = std::clamp(zoom, 0.25, 8.0);
  if (!Fits(zoom)) return false;
  zoom_ = zoom;
  FitToCanvas();
  update();
  return true;
}

void CanvasView::FitToCanvas() {
  if (!Fits(zoom_)) zoom_ = 1.0;  // the picture grew past what this zoom can show
  if (size() != ZoomedSize()) setFixedSize(ZoomedSize());
}

void CanvasView::SetNote(const QString& note) {
  if (note == note_) return;
  note_ = note;
  update();
}

void CanvasView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const double dpr = devicePixelRatioF();
  const double scale = zoom_ * dpr;
  if (scale == 1.0 || !Fits(zoom_)) {
    // The canvas's own pixels, stretched by the painter when the picture
    // played at this scale would pass the largest picture.
    const QRectF target(QPointF(0, 0), QSizeF(canvas_.Size()) * zoom_);
    const QImage shown = screenImage ? screenImage() : canvas_.Image();
    if (shown.isNull()) {
      painter.fillRect(target, Qt::white);  // a blank canvas with nothing over it
    } else {
      painter.drawImage(target, shown);
    }
  } else {
    if (playedRevision_ != canvas_.Revision() || playedScale_ != scale) {
      played_ = RenderPicture(canvas_.Record(), canvas_.Tiles(), scale);
      played_.setDevicePixelRatio(1.0);
      playedRevision_ = canvas_.Revision();
      playedScale_ = scale;
    }
    QImage shown = played_.copy();
    if (paintScreenLayer) paintScreenLayer(shown, scale);
    shown.setDevicePixelRatio(dpr);
    painter.drawImage(0, 0, shown);
  }
  if (paintOverlay) {
    painter.save();
    painter.scale(zoom_, zoom_);
    paintOverlay(painter);
    painter.restore();
  }
  if (!note_.isEmpty()) {
    // The size of the splash window's own lines: start-up has made that face
    // and its glyphs already, and a size of its own would cost a face more.
    QFont font = painter.font();
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(Qt::gray);
    painter.drawText(rect().adjusted(20, 60, -20, 0), Qt::AlignTop | Qt::AlignHCenter | Qt::TextWordWrap, note_);
  }
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) {
  if (onMove) {
    onMove(event->buttons() & Qt::LeftButton, ToTwips(event->position().x() / zoom_),
           ToTwips(event->position().y() / zoom_));
  }
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
  if (onRelease) {
    onRelease(event->button() == Qt::LeftButton, ToTwips(event->position().x() / zoom_),
              ToTwips(event->position().y() / zoom_));
  }
}

void CanvasView::leaveEvent(QEvent*) {
  if (onLeave) onLeave();
}

void CanvasView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier) || !onZoomStep) {
    event->ignore();  // the scroll area scrolls
    return;
  }
  const int delta = event->angleDelta().y();
  if (delta != 0) onZoomStep(delta > 0 ? 1 : -1);
  event->accept();
}

}  // namespace kelvo
