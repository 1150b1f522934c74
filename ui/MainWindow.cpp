#include "ui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFrame>
#include <QMenuBar>
#include <QScrollBar>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

#include "ui/Icons.h"
#include "ui/ProgramStyle.h"
#include "ui/RoundedLabel.h"
#include "ui/WindowKeys.h"
#include "ui/WindowPlaces.h"

namespace kelvo {
namespace {

// Window geometry is given in twips, as the drawing is; ImageCanvas converts.
constexpr int kClientWidth = 15210;
constexpr int kClientHeight = 10320;
// How far the canvas area may shrink in height on a small screen (it scrolls).
constexpr int kCanvasShrinkTwips = 5400;

}  // namespace

MainWindow::MainWindow(UserDialogs& dialogs)
    : session(dialogs, canvas),
      editor(canvas, views, tiles, dialogs),
      files(canvas, views, dialogs,
            [this](bool enabled) {
              setEnabled(enabled);
              canvasTools.Sync();
            }),
      dialogs_(dialogs) {
  session.onEquationView = [this](const EquationViewTexts& texts) {
    formCommands.ShowEquations(texts);
    machineWindows.RefreshDiagram();
  };
  session.beforeDrawing = [this] { formCommands.HandOverCircuit(); };
  session.afterDrawing = [this] { CircuitDrawn(); };
  session.document.onChanged = [this] { DocumentChanged(); };
  // A table that could not be drawn leaves no circuit behind to view or check.
  session.afterWithdrawing = [this] {
    checkAction->setEnabled(false);
    viewControls.checkVerdict->Clear();
    viewControls.Sync();
    UpdateTitle();
    machineWindows.RefreshDiagram();
    machineWindows.RestartSimulation();
  };
  ProgramStyle::Use();
  setWindowIcon(ProgramIcon());
  BuildControls();
  BuildMenus();
  viewControls.Sync();
  canvasTools.Sync();
  UpdateTitle();
  // Esc gives up a component waiting to be placed.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, [this] { editor.CancelPlacement(); });
}

MainWindow::~MainWindow() {
  // The entry form's logic calls back into this window; stop that first.
  if (entryForm) entryForm->onRepaint = nullptr;
}

void MainWindow::BuildControls() {
  auto* client = new QWidget;
  client_ = client;
  clientBase_ = ImageCanvas::ToPixels(0, 0, kClientWidth, kClientHeight).size();
  client->setMinimumSize(clientBase_.width(), clientBase_.height() - ImageCanvas::ToPixels(kCanvasShrinkTwips));
  client->resize(clientBase_);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(10);
  client->setFont(font);
  setCentralWidget(client);

  canvasScroll = new QScrollArea(client);
  canvasScroll->setFrameShape(QFrame::NoFrame);
  canvasScroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Beyond the picture the canvas area is the canvas's white, not a grey margin.
  canvasScroll->setBackgroundRole(QPalette::Base);
  QPalette white = canvasScroll->palette();
  white.setColor(QPalette::Base, Qt::white);
  canvasScroll->setPalette(white);
  // Room for the vertical scroll bar beside the canvas, which it never covers.
  QRect canvasPlace = ImageCanvas::ToPixels(240, 120, kCanvasWidthTwips, kCanvasHeightTwips);
  canvasPlace.setWidth(canvasPlace.width() + canvasScroll->verticalScrollBar()->sizeHint().width());
  canvasScroll->setGeometry(canvasPlace);
  canvasBase_ = canvasPlace;
  canvasView = new CanvasView(canvas);
  canvasScroll->setWidget(canvasView);
  viewControls.BuildStatusBar(statusBar());
  canvasView->screenImage = [this] { return editor.ScreenImage(); };
  canvasView->paintScreenLayer = [this](QImage& picture, double scale) { editor.PaintScreenLayer(picture, scale); };
  canvasView->onZoomStep = [this](int steps) { viewControls.ZoomStep(steps); };
  canvasView->setFocusPolicy(Qt::ClickFocus);
  canvasView->onMove = [this](bool left, double x, double y) { editor.PointerMoved(left, x, y); };
  canvasView->onRelease = [this](bool left, double x, double y) {
    editor.PointerReleased(left, x, y);
    editor.Clicked();
  };
  canvasView->onLeave = [this] { editor.LeaveCanvas(); };
  editor.onChanged = [this] { canvasTools.Sync(); };

  canvasTools.Build(client);
  viewControls.BuildButtons(client);
  BuildPictureButtons(client);

  auto* credit = new RoundedLabel(QStringLiteral("Kelvo 16s · 1.0"), client);
  credit->setAlignment(Qt::AlignCenter);
  credit->setGeometry(ImageCanvas::ToPixels(13320, 9840, 1575, 330));

  for (QObject* child : client->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (w && w != canvasScroll) placesBase_.emplace_back(w, w->geometry());
  }
  client->installEventFilter(this);
}

void MainWindow::BuildPictureButtons(QWidget* parent) {
  const auto pictureButton = [&](const QIcon& icon, const QString& tip, QRect where) {
    auto* b = new QToolButton(parent);
    b->setIcon(icon);
    b->setIconSize(QSize(32, 32));
    b->setToolTip(tip);
    b->setGeometry(where);
    return b;
  };
  entryFormButton = pictureButton(StateDiagramIcon(), QStringLiteral("State Diagram Form"),
                                  ImageCanvas::ToPixels(10320, 9000, 495, 495));
  exportButton = pictureButton(ExportIcon(), QStringLiteral("Extract Circuit (Save As)"),
                               ImageCanvas::ToPixels(10920, 9000, 495, 495));
  printButton =
      pictureButton(PrintIcon(), QStringLiteral("Print Circuit"), ImageCanvas::ToPixels(10320, 9600, 495, 495));
  importButton =
      pictureButton(ImportIcon(), QStringLiteral("Import Circuit"), ImageCanvas::ToPixels(10920, 9600, 495, 495));
  connect(entryFormButton, &QToolButton::clicked, this, [this] { formCommands.ShowForm(); });
  connect(exportButton, &QToolButton::clicked, this, [this] { files.ExportPicture(); });
  connect(printButton, &QToolButton::clicked, this, [this] { fileCommands.Print(); });
  connect(importButton, &QToolButton::clicked, this, [this] { files.ImportPicture(); });
}

void MainWindow::FitClientArea() {
  // The canvas area takes the extra room, or gives room up on a small screen
  // and scrolls; the controls under it keep to the bottom, those on the right
  // to the right, and the tools frame widens.
  const int dx = std::max(0, client_->width() - clientBase_.width());
  const int dy = client_->height() - clientBase_.height();
  canvasScroll->setGeometry(canvasBase_.adjusted(0, 0, dx, dy));
  const int rightSide = ImageCanvas::ToPixels(10320, 0, 0, 0).x();
  for (const auto& [w, base] : placesBase_) {
    QRect place = base.translated(0, dy);
    if (w == canvasTools.frame) {
      place.setWidth(base.width() + dx);
    } else if (base.x() >= rightSide) {
      place.translate(dx, 0);
    }
    w->setGeometry(place);
  }
}

void MainWindow::BuildMenus() {
  fileCommands.BuildMenu(menuBar());

  editMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
  undoAction =
      editMenu->addAction(QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), this, &MainWindow::Undo);
  redoAction = editMenu->addAction(QStringLiteral("&Redo"), this, &MainWindow::Redo);
  redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  SyncUndo();

  formCommands.BuildMenu(menuBar());

  toolsMenu = menuBar()->addMenu(QStringLiteral("&Tools"));
  addTextAction = toolsMenu->addAction(QStringLiteral("Add &Text"), QKeySequence(Qt::CTRL | Qt::Key_T), this,
                                       [this] { canvasTools.InsertText(); });
  checkAction = toolsMenu->addAction(QStringLiteral("Check &Circuit"), QKeySequence(Qt::CTRL | Qt::Key_K), this,
                                     [this] { machineWindows.CheckCircuit(); });
  checkAction->setEnabled(false);
  simulateAction = toolsMenu->addAction(QStringLiteral("&Simulate"), QKeySequence(Qt::Key_F6), this,
                                        [this] { machineWindows.Simulate(); });
  transitCodesAction = toolsMenu->addAction(
      QString::fromUtf8(kTransitToolTitle).replace(QStringLiteral(" with "), QStringLiteral(" &with ")), this,
      [this] { session.AssignCodesWithTransitStates(); });

  viewControls.BuildMenu(menuBar());

  helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
  manualAction = helpMenu->addAction(QStringLiteral("Kelvo 16s &Manual"), QKeySequence(Qt::SHIFT | Qt::Key_F1), this,
                                     &MainWindow::ShowManual);
  aboutAction =
      helpMenu->addAction(QStringLiteral("&About Kelvo 16s"), QKeySequence(Qt::Key_F1), this, &MainWindow::ShowAbout);
}

void MainWindow::ShowAtHome() {
  // The window's own place from the last run, else its usual size where the
  // screen's free area allows.
  const QByteArray kept = QSettings().value(QStringLiteral("windows/main")).toByteArray();
  if (kept.isEmpty() || !restoreGeometry(kept)) {
    const QRect free = FreeScreenArea(this);
    const QSize frame(frameGeometry().width() - width(), frameGeometry().height() - height());
    const QSize usual(clientBase_.width(),
                      clientBase_.height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    if (free.isValid()) resize(usual.boundedTo(free.size() - QSize(frame.width(), std::max(frame.height(), 30))));
  }
  show();
}

bool MainWindow::StartUp(const QStringList& tileFolders) {
  SplashWindow splash;
  splash.show();
  setEnabled(false);
  const auto pause = [this] {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < SplashDelay * 1000) {
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
  };
  bool loaded = true;
  for (int slot = 0; slot < kTileCount && loaded; ++slot) {
    if (slot <= 9) {
      splash.SetLoadCaption(QStringLiteral("...Loading Bitmap '%1'").arg(TileImages::DisplayPath(slot)));
      QApplication::processEvents();
    }
    loaded = tiles.LoadSlot(slot, tileFolders);
    if (loaded && slot <= 8) pause();
  }
  splashCaptions = splash.captionsShown;
  splash.close();
  setEnabled(true);
  if (!loaded) {
    dialogs_.Notify("Kelvo 16s cannot start: " + tiles.Error().toStdString());
    return false;
  }
  canvas.SetTiles(tiles.Images());

  shownState = 0;
  editor.placing = false;
  editor.componentSlot = -1;
  entryForm = &session.form;
  viewControls.Sync();
  return true;
}

QWidget* MainWindow::WindowInCharge() const {
  // The windows that disable this one while they are open.
  for (QWidget* w : std::initializer_list<QWidget*>{canvasTools.componentPicker.data(), fileCommands.printerForm.data(),
                                                    aboutBox.data(), formCommands.formWindow.get()}) {
    if (w && w->isVisible()) return w;
  }
  return nullptr;
}

bool MainWindow::event(QEvent* event) {
  // A click on this window while another is in charge brings that one
  // forward with the keyboard focus, so Esc and Enter reach it again.
  if (event->type() == QEvent::WindowActivate && !isEnabled()) {
    if (QWidget* inCharge = WindowInCharge()) {
      QTimer::singleShot(0, inCharge, [inCharge] {
        inCharge->raise();
        inCharge->activateWindow();
      });
    }
  }
  return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize) FitClientArea();
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::CircuitDrawn() {
  viewControls.Sync();
  checkAction->setEnabled(true);
  viewControls.checkVerdict->Start(session.drawn->table, session.drawn->equations, grid, views.parallelForm);
  UpdateTitle();
  machineWindows.RefreshDiagram();
  machineWindows.RestartSimulation();
}

void MainWindow::DocumentChanged() {
  UpdateTitle();
  SyncUndo();
  if (viewControls.drawingNotes) viewControls.SyncStatus();
}

void MainWindow::SyncUndo() {
  if (!undoAction) return;
  const QString undo = QString::fromStdString(session.document.UndoText());
  const QString redo = QString::fromStdString(session.document.RedoText());
  undoAction->setEnabled(session.document.CanUndo());
  undoAction->setText(undo.isEmpty() ? QStringLiteral("&Undo") : QStringLiteral("&Undo %1").arg(undo));
  redoAction->setEnabled(session.document.CanRedo());
  redoAction->setText(redo.isEmpty() ? QStringLiteral("&Redo") : QStringLiteral("&Redo %1").arg(redo));
}

void MainWindow::Undo() {
  session.Undo();
  AfterUndo();
}

void MainWindow::Redo() {
  session.Redo();
  AfterUndo();
}

void MainWindow::AfterUndo() {
  viewControls.Sync();
  canvasTools.Sync();
  UpdateTitle();
  SyncUndo();
  machineWindows.RefreshDiagram();
}

void MainWindow::UpdateTitle() {
  if (!entryForm) {
    setWindowTitle(QStringLiteral("Kelvo 16s"));
    return;
  }
  const bool modified = entryForm->Modified() || !session.document.IsClean();
  if (entryForm->documentPath().empty() && !modified) {
    setWindowTitle(QStringLiteral("Kelvo 16s"));
  } else {
    setWindowTitle(QStringLiteral("Kelvo 16s - %1[*]").arg(QString::fromStdString(entryForm->DocumentName())));
  }
  setWindowModified(modified);
}

void MainWindow::ShowManual() {
  if (!manualWindow) {
    manualWindow = std::make_unique<ManualWindow>(ManualFolders);
    manualWindow->setWindowIcon(windowIcon());
    RememberPlace(manualWindow.get(), QStringLiteral("manual"), this);
    StayAbove(manualWindow.get(), this);
  }
  manualWindow->show();
  manualWindow->raise();
  manualWindow->activateWindow();
}

void MainWindow::ShowAbout() {
  if (aboutBox) return;
  setEnabled(false);
  aboutBox = new AboutBox;
  aboutBox->setWindowIcon(windowIcon());
  RememberPlace(aboutBox, QStringLiteral("about"));
  StayAbove(aboutBox, this);
  aboutBox->onClosed = [this] { setEnabled(true); };
  aboutBox->show();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Only a close the user asked for (title bar) is confirmed; "Exit" asked already.
  if (event->spontaneous() && !fileCommands.quitConfirmed && !fileCommands.ConfirmQuit()) {
    event->ignore();
    return;
  }
  fileCommands.quitConfirmed = false;
  QSettings().setValue(QStringLiteral("windows/main"), saveGeometry());
  formCommands.equationWindow.reset();
  manualWindow.reset();
  machineWindows.Close();
  if (aboutBox) aboutBox->close();
  if (canvasTools.componentPicker) canvasTools.componentPicker->close();
  if (fileCommands.printerForm) fileCommands.printerForm->close();
  if (formCommands.formWindow) formCommands.formWindow->hide();
  event->accept();
}

}  // namespace kelvo
