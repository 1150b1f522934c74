#pragma once
// The canvas control Picture1: shows the canvas as the screen sees it (the
// persistent picture with the screen-only layer on top) and reports pointer
// events in twips.

#include <QWidget>
#include <functional>

#include "output/ImageCanvas.h"

namespace kelvo {

class CanvasView : public QWidget {
  Q_OBJECT
public:
  CanvasView(ImageCanvas& canvas, QWidget* parent = nullptr);

  // What the screen shows; the bare picture when unset.
  std::function<QImage()> screenImage;
  std::function<void(bool leftButton, double x, double y)> onMove, onRelease;
  std::function<void()> onLeave;

  QSize sizeHint() const override;
  static double ToTwips(double pixels) { return pixels * kTwipsPerPixel; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

private:
  ImageCanvas& canvas_;
};

}  // namespace kelvo
