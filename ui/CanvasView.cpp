#include "ui/CanvasView.h"

#include <QMouseEvent>
#include <QPainter>

namespace kelvo {

CanvasView::CanvasView(ImageCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
  setFixedSize(canvas_.Image().size());
}

QSize CanvasView::sizeHint() const { return canvas_.Image().size(); }

void CanvasView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (screenImage) {
    painter.drawImage(0, 0, screenImage());
  } else {
    painter.drawImage(0, 0, canvas_.Image());
  }
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) {
  if (onMove) onMove(event->buttons() & Qt::LeftButton, ToTwips(event->position().x()), ToTwips(event->position().y()));
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
  if (onRelease) {
    onRelease(event->button() == Qt::LeftButton, ToTwips(event->position().x()), ToTwips(event->position().y()));
  }
}

void CanvasView::leaveEvent(QEvent*) {
  if (onLeave) onLeave();
}

}  // namespace kelvo
