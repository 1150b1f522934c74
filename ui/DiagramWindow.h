#pragma once
// "State Diagram": the open table as bubbles and arrows, laid out by
// Graphviz and painted by the program. Transient for the main window but not
// modal. It zooms (Ctrl+wheel, the zoom buttons), exports PNG, SVG or PDF
// ("Export As..."), copies the picture and prints it on one page. A click on
// a bubble asks for the entry form at that state.

#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "common/UserDialogs.h"
#include "output/DiagramPicture.h"
#include "statediagram/DiagramLayout.h"

namespace kelvo {

class DiagramView : public QWidget {
  Q_OBJECT
public:
  DiagramView() { setMouseTracking(true); }
  void SetLayout(DiagramLayout layout);
  const DiagramLayout& Layout() const { return layout_; }
  // Refused (false, the zoom unchanged) past the largest picture.
  bool SetZoom(double zoom);
  std::string TooLarge(double zoom) const;
  double Zoom() const { return zoom_; }
  DiagramHighlight highlight;
  std::function<void(int state)> onStateClicked;
  std::function<void(int steps)> onZoomStep;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  const DiagramNode* NodeUnder(QPointF position) const;
  DiagramLayout layout_;
  double zoom_ = 1.0;
};

class DiagramWindow : public QWidget {
  Q_OBJECT
public:
  explicit DiagramWindow(UserDialogs& dialogs);

  // Lays out `diagram` anew and shows it; a layout failure is told once and
  // leaves the window empty.
  void ShowTable(const StateDiagram& diagram);
  // Ctrl+wheel and the buttons: a step in (+1) or out (-1).
  void ZoomStep(int steps);
  void ExportAs();
  void Print();
  void Copy();

  DiagramView* view{};
  QLabel* statusLabel{};
  QString suggestedName;  // what Export As offers ("traffic-light-diagram.png")
  QPushButton *zoomOutButton{}, *zoomInButton{}, *exportButton{}, *copyButton{}, *printButton{};

private:
  UserDialogs& dialogs_;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace kelvo
