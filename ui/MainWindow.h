#pragma once
// The main window "Kelvo 16s": the canvas view with the drawn circuits, the
// view buttons, the "Tools" frame, four picture buttons and the menus.
// It owns the equation set, the ladder grids, the canvas and the tile images,
// starts up behind the splash window, and hosts the state entry form, whose
// "Circuit" hands the equations over for drawing. It builds the controls and
// hands them to controllers: the file commands (FileCommands), the entry
// form's windows (FormCommands), the tools frame (CanvasTools), the views,
// zoom and status bar (ViewControls), and the diagram, simulation and check
// windows (MachineWindows). Views, layouts and flows are core objects; the
// window and its controllers map controls onto them.

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QScrollArea>
#include <QToolButton>
#include <memory>
#include <utility>
#include <vector>

#include "equations/EquationSet.h"
#include "ladder/LadderGrid.h"
#include "output/CircuitFiles.h"
#include "output/ImageCanvas.h"
#include "output/TileImages.h"
#include "session/CircuitViews.h"
#include "session/EntryForm.h"
#include "session/Session.h"
#include "ui/AboutBox.h"
#include "ui/CanvasEditor.h"
#include "ui/CanvasTools.h"
#include "ui/CanvasView.h"
#include "ui/FileCommands.h"
#include "ui/FormCommands.h"
#include "ui/MachineWindows.h"
#include "ui/ManualWindow.h"
#include "ui/SplashWindow.h"
#include "ui/ViewControls.h"

namespace kelvo {

class MainWindow : public QMainWindow {
  Q_OBJECT
public:
  explicit MainWindow(UserDialogs& dialogs);
  ~MainWindow() override;

  // Splash, tile images, initial state, the hidden entry form. False when a
  // tile image cannot be loaded (the user has been told which and where).
  bool StartUp(const QStringList& tileFolders = TileImages::DefaultFolders());
  // Shows the window at its place of the last run, or as large as it likes
  // within the screen's free area.
  void ShowAtHome();

  // The end of "Circuit" on the entry form: the circuits are drawn.
  void CircuitDrawn();
  // Opens a table as "Open State Diagram" does once its file is chosen; the
  // bytes of `path` are the file name as the file system holds it, any encoding.
  void OpenFile(const std::string& path) { fileCommands.OpenFile(path); }
  void OpenFile(const QString& path) { fileCommands.OpenFile(path); }
  // "Edit > Undo" and "Redo", also from the entry form.
  void Undo();
  void Redo();
  void ShowAbout();
  // "Help > Kelvo 16s Manual".
  void ShowManual();
  // The title names the table's file and marks unsaved changes.
  void UpdateTitle();

  double SplashDelay = 0.3;  // seconds per tile image at start-up
  // Where "Kelvo 16s Manual" looks for the manual, first folder first.
  QStringList ManualFolders = ManualWindow::DefaultFolders();

  TileImages tiles;
  ImageCanvas canvas;
  // The open table and everything drawn from it; the window shows it.
  Session session;
  // Public members of the main window, held by the session.
  int& shownState = session.shownState;
  EquationSet& equations = session.equations;
  LadderGrid& grid = session.grid;
  CircuitViews& views = session.views;
  CanvasEditor editor;
  CircuitFiles files;
  EntryForm* entryForm = nullptr;  // the session's entry form, from start-up on
  std::unique_ptr<ManualWindow> manualWindow;
  QPointer<AboutBox> aboutBox;
  QStringList splashCaptions;  // what the splash's progress label showed, in order

  // Controls.
  CanvasView* canvasView{};
  QScrollArea* canvasScroll{};  // scrolls a drawing taller than its place
  QToolButton *entryFormButton{}, *exportButton{}, *printButton{}, *importButton{};
  QMenu *editMenu{}, *toolsMenu{}, *helpMenu{};
  QAction *undoAction{}, *redoAction{};
  QAction *addTextAction{}, *checkAction{}, *simulateAction{}, *transitCodesAction{};
  QAction *manualAction{}, *aboutAction{};

  // The controllers the controls are handed to.
  FileCommands fileCommands{*this};
  FormCommands formCommands{*this};
  CanvasTools canvasTools{*this};
  ViewControls viewControls{*this};
  MachineWindows machineWindows{*this};

  // The open window that disables this one (Add Component, Print, About, the
  // entry form); none when this one is enabled.
  QWidget* WindowInCharge() const;
  UserDialogs& Dialogs() const { return dialogs_; }

protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void BuildControls();
  void BuildPictureButtons(QWidget* parent);
  void BuildMenus();
  bool eventFilter(QObject* watched, QEvent* event) override;
  void DocumentChanged();
  // The Edit menu names the step Undo and Redo would take.
  void SyncUndo();
  void AfterUndo();
  // The canvas area takes the room of an enlarged window.
  void FitClientArea();

  UserDialogs& dialogs_;
  QWidget* client_{};
  QSize clientBase_;
  QRect canvasBase_;
  std::vector<std::pair<QWidget*, QRect>> placesBase_;  // the controls under the canvas
};

}  // namespace kelvo
