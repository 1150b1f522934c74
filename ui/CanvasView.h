#pragma once
// The canvas view of the main window: shows the canvas as the screen sees it (the
// persistent picture with the screen-only layer on top) and reports pointer
// events in twips. At zoom 1 on a plain screen it shows the canvas's own
// pixels; zoomed, or on a screen with more pixels per point, it plays the
// recorded picture anew at that scale, so lines and texts stay sharp. A
// click maps to the same twips at every zoom. Ctrl+wheel asks for a zoom step.

#include <QImage>
#include <QWidget>
#include <functional>
#include <string>

#include "output/ImageCanvas.h"

namespace kelvo {

class CanvasView : public QWidget {
  Q_OBJECT
public:
  CanvasView(ImageCanvas& canvas, QWidget* parent = nullptr);

  // What the screen shows at scale 1; the bare picture when unset.
  std::function<QImage()> screenImage;
  // Paints the screen-only layer onto a picture drawn at `scale`.
  std::function<void(QImage& picture, double scale)> paintScreenLayer;
  std::function<void(bool leftButton, double x, double y)> onMove, onRelease;
  std::function<void()> onLeave;
  // Paints over the picture on the screen only (the simulation's current);
  // painter units are picture pixels.
  std::function<void(QPainter&)> paintOverlay;
  // Ctrl+wheel: +1 a step in, -1 a step out.
  std::function<void(int steps)> onZoomStep;

  double Zoom() const { return zoom_; }
  // Refused (false, the zoom unchanged) when the picture at that zoom would
  // pass the largest picture; TooLarge says so.
  bool SetZoom(double zoom);
  std::string TooLarge(double zoom) const;
  // Takes the size of the canvas's picture at the zoom, back at zoom 1 when
  // the picture has grown too large for the zoom.
  void FitToCanvas();
  // A grey line over the canvas, on the screen only (why a view is empty).
  void SetNote(const QString& note);
  const QString& Note() const { return note_; }

  QSize sizeHint() const override;
  static double ToTwips(double pixels) { return pixels * kTwipsPerPixel; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  QSize ZoomedSize() const;
  bool Fits(double zoom) const;

  ImageCanvas& canvas_;
  double zoom_ = 1.0;
  QString note_;
  // The picture played at a scale other than 1, kept until it changes.
  QImage played_;
  int playedRevision_ = -1;
  double playedScale_ = 0;
};

}  // namespace kelvo
