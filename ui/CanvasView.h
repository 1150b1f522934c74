#pragma once
// The canvas control Picture1: shows the persistent picture of an ImageCanvas
// and, on top of it, a screen-only layer that never reaches the picture.

#include <QWidget>
#include <functional>

#include "ui/ImageCanvas.h"

namespace kelvo {

class CanvasView : public QWidget {
  Q_OBJECT
public:
  CanvasView(ImageCanvas& canvas, QWidget* parent = nullptr);

  // Paints the screen-only layer over the picture, in pixels.
  std::function<void(QPainter&)> paintOverlay;

  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  ImageCanvas& canvas_;
};

}  // namespace kelvo
