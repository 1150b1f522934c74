#pragma once
// What the main window shows of the drawing: the view buttons and the View
// menu, "Parallel Form", the zoom of the canvas, the copy of the picture, and
// the status bar with the drawing's notes, the zoom and the check's verdict.
// The circuit views (session) choose and draw the views; this controller maps
// the buttons and menu onto them and shows what they report.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <array>
#include <memory>

#include "session/ViewButton.h"
#include "ui/CheckVerdict.h"

namespace kelvo {

class MainWindow;

class ViewControls {
public:
  explicit ViewControls(MainWindow& window) : window_(window) {}

  // The view buttons and "Parallel Form" at their places on `parent`.
  void BuildButtons(QWidget* parent);
  // The notes, the zoom and the check line.
  void BuildStatusBar(QStatusBar* bar);
  // The View menu, after the menus before it.
  void BuildMenu(QMenuBar* bar);

  void ShowView(ViewButton button);
  // The buttons, the menu, the canvas's note and the status bar follow the views.
  void Sync();
  // The status bar: the drawing's notes, after a word when the table has moved on.
  void SyncStatus();
  // Zoom the canvas a step in (+1) or out (-1), or to fit its place.
  void ZoomStep(int steps);
  void ZoomToFit();
  // The canvas at `zoom` (1 = 100%), shown in the status bar.
  void SetZoom(double zoom);
  // The picture on the clipboard, as the bitmap export would write it.
  void CopyPicture();

  std::array<QPushButton*, kViewButtons> viewButtons{};  // in ViewButton order
  std::array<QAction*, kViewButtons> viewActions{};      // in ViewButton order
  QCheckBox* parallelForm{};
  QMenu* menu{};
  QAction *parallelFormAction{}, *zoomInAction{}, *zoomOutAction{}, *actualSizeAction{}, *fitAction{},
      *copyPictureAction{};
  QLabel* drawingNotes{};  // circuits drawn other than plainly, and cuts
  QLabel* zoomLevel{};     // "100%"
  QLabel* checkLine{};     // the verdict of the check after "Circuit"
  std::unique_ptr<CheckVerdict> checkVerdict;

private:
  MainWindow& window_;
};

}  // namespace kelvo
