#pragma once
// The main window "Kelvo 16s": the canvas Picture1 with the drawn circuits,
// the view buttons, the "Tools" frame, four picture buttons and the menus.
// It owns the equation set, the ladder grids, the canvas and the tile images,
// starts up behind the splash window, and hosts the state entry form, whose
// "Circuit" hands the equations over for drawing. Views, layouts and flows
// are core objects; this window maps its controls onto them.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <array>
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
#include "ui/CanvasView.h"
#include "ui/CheckReportWindow.h"
#include "ui/CheckVerdict.h"
#include "ui/ComponentPicker.h"
#include "ui/DiagramWindow.h"
#include "ui/EntryFormWindow.h"
#include "ui/EquationWindow.h"
#include "ui/ManualWindow.h"
#include "ui/PrinterForm.h"
#include "ui/SimulationWindow.h"
#include "ui/SplashWindow.h"

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

  // The ends of "Equations" and of "Circuit" on the entry form.
  void ShowEquationView(const EquationViewTexts& texts);
  void HandOverCircuit();
  void CircuitDrawn();

  void ShowView(ViewButton button);
  void DataForm_Click();
  void DataFormNew_Click();
  void FileOpen_Click();
  void FileSave_Click();
  // "Save": to the table's own file, or through the dialog for a new table.
  void FileSaveInPlace_Click();
  void FileExit_Click();
  // Opens a table as "Open State Diagram" does once its file is chosen; the
  // bytes of `path` are the file name as the file system holds it, any encoding.
  void OpenFile(const std::string& path);
  void OpenFile(const QString& path);
  void About_Click();
  void AddCirc_Click();
  void InsText_Click();
  void FilePrint_Click();
  // "Check Circuit": reads the drawn circuits back and runs them.
  void ToolsCheck_Click();
  // Zoom the canvas a step in (+1) or out (-1), or to fit its place.
  void ZoomStep(int steps);
  void ZoomToFit();
  // The canvas at `zoom` (1 = 100%), shown in the status bar.
  void SetZoom(double zoom);
  // "Help > Kelvo 16s Manual".
  void Manual_Click();
  // The picture on the clipboard, as the bitmap export would write it.
  void CopyPicture_Click();
  // The entry form's window, made on first use.
  EntryFormWindow& EntryWindow();
  // "Show Diagram": the state diagram window, which follows the table.
  void ShowDiagram_Click();
  // "Simulate": the machine run on its drawing, the current shown on the canvas.
  void Simulate_Click();
  // The entry form at the page of `state` (a click on its bubble).
  void OpenFormAt(int state);

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
  // Made at the first print: setting up the printing system is slow, and the
  // printer keeps its orientation from job to job.
  std::unique_ptr<QPrinter> printer;
  QPointer<ComponentPicker> componentPicker;
  QPointer<PrinterForm> printerForm;
  QPointer<CheckReportWindow> checkReport;
  EntryForm* entryForm = nullptr;  // the session's entry form, from start-up on
  std::unique_ptr<EntryFormWindow> entryFormWindow;
  std::unique_ptr<EquationWindow> eqView;
  std::unique_ptr<DiagramWindow> diagramWindow;
  std::unique_ptr<SimulationWindow> simulationWindow;
  std::unique_ptr<ManualWindow> manualWindow;
  QPointer<AboutBox> aboutBox;
  QStringList splashCaptions;  // what the splash's progress label showed, in order

  // The last files opened or saved, newest first, kept across runs.
  QStringList RecentFiles() const;

  // Controls.
  CanvasView* Picture1{};
  QScrollArea* CanvasScroll{};  // scrolls a drawing taller than its place
  QLabel* DrawingNotes{};       // in the status bar: circuits drawn other than plainly, and cuts
  QLabel* CheckLine{};          // in the status bar: the verdict of the check after "Circuit"
  std::unique_ptr<CheckVerdict> checkVerdict;
  std::array<QPushButton*, kViewButtons> viewButtons{};  // in ViewButton order
  QCheckBox* parallelForm{};
  QToolButton *entryFormButton{}, *exportButton{}, *printButton{}, *importButton{};
  QMenu *FileMenu{}, *RecentMenu{}, *EditMenu{}, *DataFormMenu{}, *ToolsMenu{}, *ViewMenu{}, *AboutForm{};
  QAction *FileSaveInPlace{}, *FileSaveAs{}, *EditUndo{}, *EditRedo{};
  QAction *FileOpen{}, *FileSave{}, *FileImport{}, *FileExtract{}, *FileExportAs{}, *FilePrint{}, *FileExit{},
      *DataForm{}, *DataFormNew{}, *ShowDiagram{}, *ToolsAddText{}, *ToolsCheck{}, *ToolsSimulate{},
      *ToolsTransitCodes{}, *About{};
  QAction *ZoomIn{}, *ZoomOut{}, *ZoomActual{}, *ZoomFit{}, *CopyPicture{}, *ParallelFormAction{}, *Manual{};
  std::array<QAction*, kViewButtons> viewActions{};  // in ViewButton order
  QLabel* ZoomLevel{};                               // in the status bar: "100%"
  QWidget* Frame1{};
  QPushButton *AddCirc{}, *InsText{};
  QCheckBox* RubberOn{};
  QLabel *CurrTxtXY{}, *CurrColor{};
  QLineEdit* PicText{};
  std::array<QWidget*, kPaletteSize> ColorFr{};

  // The open window that disables this one (Add Component, Print, About, the
  // entry form); none when this one is enabled.
  QWidget* WindowInCharge() const;

protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void BuildControls();
  void BuildToolsFrame(QWidget* parent);
  void BuildMenus();
  void SyncViewButtons();
  // The status bar: the drawing's notes, after a word when the table has moved on.
  void SyncStatus();
  void SyncTools();
  bool eventFilter(QObject* watched, QEvent* event) override;
  void LeaveEntryForm();
  void OpenedFile();
  void RefreshDiagram();
  // The simulation starts again on the drawing now shown (or stops).
  void RestartSimulation();
  // The diagram stresses the simulation's state and the transition just taken.
  void FollowSimulationInDiagram();
  // The title names the table's file and marks unsaved changes.
  void UpdateTitle();
  void RememberRecent(const std::string& path, bool keep);
  void FillRecentMenu();
  // Before the table is replaced or the program ends: false when cancelled.
  bool SaveChangesFirst();
  // Before Open and New Form: hand edits not exported, then a changed table.
  bool MayReplaceDocument();
  // "traffic-light" for traffic-light.sfi; what Export As offers for the view shown.
  QString DocumentStem() const;
  std::string SuggestedPictureName() const;
  // `name` in the folder of the table's file, when it has one.
  std::string BesideDocument(const QString& name) const;
  bool ConfirmQuit();
  void DocumentChanged();
  // The Edit menu names the step Undo and Redo would take.
  void SyncUndo();
  void AfterUndo();
  // The canvas area takes the room of an enlarged window.
  void FitClientArea();
  QPushButton* ViewButtonWidget(ViewButton b) const { return viewButtons[static_cast<int>(b)]; }

  UserDialogs& dialogs_;
  bool quitConfirmed_ = false;
  QWidget* client_{};
  QSize clientBase_;
  QRect canvasBase_;
  std::vector<std::pair<QWidget*, QRect>> placesBase_;  // the controls under the canvas
};

}  // namespace kelvo
