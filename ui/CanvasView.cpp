#include "ui/CanvasView.h"

#include <QPainter>

namespace kelvo {

CanvasView::CanvasView(ImageCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFixedSize(canvas_.Image().size());
}

QSize CanvasView::sizeHint() const { return canvas_.Image().size(); }

void CanvasView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, canvas_.Image());
  if (paintOverlay) paintOverlay(painter);
}

}  // namespace kelvo
