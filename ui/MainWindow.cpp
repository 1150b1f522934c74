#include "ui/MainWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScrollBar>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "session/PlcFile.h"
#include "ui/ClassReportWindow.h"
#include "ui/ColourSwatch.h"
#include "ui/Icons.h"
#include "ui/RecentFiles.h"
#include "ui/WindowKeys.h"
#include "ui/WindowPlaces.h"

namespace kelvo {
namespace {

// Window geometry is given in twips, as the drawing is; ImageCanvas converts.
constexpr int kClientWidth = 15210;
constexpr int kClientHeight = 10320;
// How far the canvas area may shrink in height on a small screen (it scrolls).
constexpr int kCanvasShrinkTwips = 5400;

// The views as the buttons read, left to right and top to bottom.
constexpr std::array<ViewButton, kViewButtons> kViewMenuOrder{ViewButton::ShowA,   ViewButton::ShowB,
                                                              ViewButton::ShowC,   ViewButton::ShowD,
                                                              ViewButton::ShowAll, ViewButton::MachineState};

QString ViewMenuCaption(ViewButton b) {
  if (b == ViewButton::ShowAll) return QStringLiteral("Show A&ll");
  if (b == ViewButton::MachineState) return QStringLiteral("&Machine State");
  return QStringLiteral("Circuit &") + QString::fromUtf8(ViewCaption(b));
}

}  // namespace

MainWindow::MainWindow(UserDialogs& dialogs)
    : session(dialogs, canvas),
      editor(canvas, views, tiles, dialogs),
      files(canvas, views, dialogs,
            [this](bool enabled) {
              setEnabled(enabled);
              SyncTools();
            }),
      dialogs_(dialogs) {
  session.onEquationView = [this](const EquationViewTexts& texts) {
    ShowEquationView(texts);
    RefreshDiagram();
  };
  session.beforeDrawing = [this] { HandOverCircuit(); };
  session.afterDrawing = [this] { CircuitDrawn(); };
  session.document.onChanged = [this] { DocumentChanged(); };
  // A table that could not be drawn leaves no circuit behind to view or check.
  session.afterWithdrawing = [this] {
    ToolsCheck->setEnabled(false);
    checkVerdict->Clear();
    SyncViewButtons();
    UpdateTitle();
    RefreshDiagram();
    RestartSimulation();
  };
  setWindowIcon(ProgramIcon());
  BuildControls();
  BuildMenus();
  SyncViewButtons();
  SyncTools();
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

  CanvasScroll = new QScrollArea(client);
  CanvasScroll->setFrameShape(QFrame::NoFrame);
  CanvasScroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Beyond the picture the canvas area is the canvas's white, not a grey margin.
  CanvasScroll->setBackgroundRole(QPalette::Base);
  QPalette white = CanvasScroll->palette();
  white.setColor(QPalette::Base, Qt::white);
  CanvasScroll->setPalette(white);
  // Room for the vertical scroll bar beside the canvas, which it never covers.
  QRect canvasPlace = ImageCanvas::ToPixels(240, 120, kCanvasWidthTwips, kCanvasHeightTwips);
  canvasPlace.setWidth(canvasPlace.width() + CanvasScroll->verticalScrollBar()->sizeHint().width());
  CanvasScroll->setGeometry(canvasPlace);
  canvasBase_ = canvasPlace;
  Picture1 = new CanvasView(canvas);
  CanvasScroll->setWidget(Picture1);
  DrawingNotes = new QLabel;
  DrawingNotes->setObjectName(QStringLiteral("DrawingNotes"));
  statusBar()->addWidget(DrawingNotes, 1);
  ZoomLevel = new QLabel(QStringLiteral("100%"));
  ZoomLevel->setObjectName(QStringLiteral("ZoomLevel"));
  ZoomLevel->setToolTip(QStringLiteral("Zoom (View > Zoom In, Zoom Out, Actual Size, Fit)"));
  statusBar()->addPermanentWidget(ZoomLevel);
  CheckLine = new QLabel;
  statusBar()->addPermanentWidget(CheckLine);
  checkVerdict = std::make_unique<CheckVerdict>(CheckLine);
  Picture1->screenImage = [this] { return editor.ScreenImage(); };
  Picture1->paintScreenLayer = [this](QImage& picture, double scale) { editor.PaintScreenLayer(picture, scale); };
  Picture1->onZoomStep = [this](int steps) { ZoomStep(steps); };
  Picture1->setFocusPolicy(Qt::ClickFocus);
  Picture1->onMove = [this](bool left, double x, double y) { editor.Picture1_MouseMove(left, x, y); };
  Picture1->onRelease = [this](bool left, double x, double y) {
    editor.Picture1_MouseUp(left, x, y);
    editor.Picture1_Click();
  };
  Picture1->onLeave = [this] { editor.LeaveCanvas(); };
  editor.onChanged = [this] { SyncTools(); };

  BuildToolsFrame(client);

  const std::array<QString, kViewButtons> captions{QStringLiteral("Sho&w All"), QStringLiteral("&A"),
                                                   QStringLiteral("&B"),        QStringLiteral("&C"),
                                                   QStringLiteral("&D"),        QStringLiteral("&Machine State")};
  const std::array<QRect, kViewButtons> places{
      ImageCanvas::ToPixels(11520, 9240, 1695, 375), ImageCanvas::ToPixels(11520, 8880, 855, 375),
      ImageCanvas::ToPixels(12360, 8880, 855, 375),  ImageCanvas::ToPixels(13200, 8880, 855, 375),
      ImageCanvas::ToPixels(14040, 8880, 855, 375),  ImageCanvas::ToPixels(13200, 9240, 1695, 375)};
  for (ViewButton b : kAllViewButtons) {
    auto* button = new QPushButton(captions[static_cast<int>(b)], client);
    button->setToolTip(
        b == ViewButton::ShowAll ? QStringLiteral("All four state-variable circuits side by side")
        : b == ViewButton::MachineState
            ? QStringLiteral("The output relays' circuits")
            : QStringLiteral("The circuit of state variable %1")
                  .arg(QChar(QLatin1Char('A' + static_cast<int>(b) - static_cast<int>(ViewButton::ShowA)))));
    button->setObjectName(QString::fromUtf8(ViewButtonName(b)));
    button->setGeometry(places[static_cast<int>(b)]);
    connect(button, &QPushButton::clicked, this, [this, b] { ShowView(b); });
    viewButtons[static_cast<int>(b)] = button;
  }
  parallelForm = new QCheckBox(QStringLiteral("&Parallel Form"), client);
  parallelForm->setGeometry(ImageCanvas::ToPixels(11640, 9840, 1635, 255));
  connect(parallelForm, &QCheckBox::toggled, this, [this](bool on) { views.parallelForm = on; });

  const auto pictureButton = [&](const QIcon& icon, const QString& tip, QRect where) {
    auto* b = new QToolButton(client);
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
  connect(entryFormButton, &QToolButton::clicked, this, &MainWindow::DataForm_Click);
  connect(exportButton, &QToolButton::clicked, this, [this] { files.ExportPicture(); });
  connect(printButton, &QToolButton::clicked, this, &MainWindow::FilePrint_Click);
  connect(importButton, &QToolButton::clicked, this, [this] { files.ImportPicture(); });

  auto* credit = new QLabel(QStringLiteral("Kelvo 16s · 1.0"), client);
  credit->setAlignment(Qt::AlignCenter);
  credit->setStyleSheet(QStringLiteral("border: 1px solid gray; border-radius: 6px;"));
  credit->setGeometry(ImageCanvas::ToPixels(13320, 9840, 1575, 330));

  for (QObject* child : client->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (w && w != CanvasScroll) placesBase_.emplace_back(w, w->geometry());
  }
  client->installEventFilter(this);
}

void MainWindow::FitClientArea() {
  // The canvas area takes the extra room, or gives room up on a small screen
  // and scrolls; the controls under it keep to the bottom, those on the right
  // to the right, and the tools frame widens.
  const int dx = std::max(0, client_->width() - clientBase_.width());
  const int dy = client_->height() - clientBase_.height();
  CanvasScroll->setGeometry(canvasBase_.adjusted(0, 0, dx, dy));
  const int rightSide = ImageCanvas::ToPixels(10320, 0, 0, 0).x();
  for (const auto& [w, base] : placesBase_) {
    QRect place = base.translated(0, dy);
    if (w == Frame1) {
      place.setWidth(base.width() + dx);
    } else if (base.x() >= rightSide) {
      place.translate(dx, 0);
    }
    w->setGeometry(place);
  }
}

void MainWindow::BuildToolsFrame(QWidget* parent) {
  // The frame keeps its place; inside it rows of controls take the room their
  // captions need in the window's font.
  auto* frame = new QGroupBox(QStringLiteral("Tools"), parent);
  Frame1 = frame;
  frame->setGeometry(ImageCanvas::ToPixels(240, 8880, 9975, 1335));
  auto* rows = new QVBoxLayout(frame);
  rows->setContentsMargins(6, 2, 6, 4);
  rows->setSpacing(4);
  auto* top = new QHBoxLayout;
  auto* bottom = new QHBoxLayout;
  rows->addLayout(top);
  rows->addLayout(bottom);

  auto* textLabel = new QLabel(QStringLiteral("E&nter text to insert:"));
  PicText = new QLineEdit;
  textLabel->setBuddy(PicText);
  InsText = new QPushButton(QStringLiteral("&Insert"));
  CurrTxtXY = new QLabel;
  CurrTxtXY->setMinimumWidth(86);
  top->addWidget(textLabel);
  top->addWidget(PicText, 1);
  top->addWidget(InsText);
  top->addSpacing(8);
  top->addWidget(new QLabel(QStringLiteral("( X , Y ) =")));
  top->addWidget(CurrTxtXY);

  bottom->addWidget(new QLabel(QStringLiteral("Choose text Color:")));
  bottom->setSpacing(3);
  for (int i = 0; i < kPaletteSize; ++i) {
    const Rgb c = kTextPalette[i];
    auto* swatch = new ColourSwatch(QColor(c.r, c.g, c.b));
    swatch->setFixedSize(15, 17);
    // Reached with Tab, moved along with the arrow keys, chosen with Space or Enter.
    swatch->setFocusPolicy(Qt::StrongFocus);
    swatch->setAccessibleName(QStringLiteral("Text colour %1").arg(i + 1));
    swatch->installEventFilter(this);
    ColorFr[i] = swatch;
    bottom->addWidget(swatch);
  }
  bottom->addSpacing(6);
  bottom->addWidget(new QLabel(QStringLiteral("Current:")));
  CurrColor = new QLabel;
  CurrColor->setFixedSize(34, 17);
  bottom->addWidget(CurrColor);
  bottom->addStretch(1);
  RubberOn = new QCheckBox(QStringLiteral("&Rubber Mode"));
  AddCirc = new QPushButton(QStringLiteral("Add C&omponent"));
  bottom->addWidget(RubberOn);
  bottom->addWidget(AddCirc);

  connect(AddCirc, &QPushButton::clicked, this, &MainWindow::AddCirc_Click);
  connect(RubberOn, &QCheckBox::clicked, this, [this](bool ticked) { editor.RubberOn_Click(ticked); });
  connect(InsText, &QPushButton::clicked, this, &MainWindow::InsText_Click);
}

void MainWindow::BuildMenus() {
  FileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  FileOpen = FileMenu->addAction(QStringLiteral("&Open State Diagram"), this, &MainWindow::FileOpen_Click);
  FileOpen->setShortcuts({QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_O)});
  FileSaveInPlace = FileMenu->addAction(QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S), this,
                                        &MainWindow::FileSaveInPlace_Click);
  FileSaveAs = FileMenu->addAction(QStringLiteral("Save &As..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this,
                                   &MainWindow::FileSave_Click);
  FileSave = FileMenu->addAction(QStringLiteral("Save State &Diagram"), QKeySequence(Qt::Key_F3), this,
                                 &MainWindow::FileSave_Click);
  RecentMenu = FileMenu->addMenu(QStringLiteral("Recent &Files"));
  FillRecentMenu();
  QMenu* picture = FileMenu->addMenu(QStringLiteral("&Circuit"));
  FileImport =
      picture->addAction(QStringLiteral("&Import"), QKeySequence(Qt::Key_F4), this, [this] { files.ImportPicture(); });
  FileExtract =
      picture->addAction(QStringLiteral("&Export"), QKeySequence(Qt::Key_F5), this, [this] { files.ExportPicture(); });
  FileExportAs = picture->addAction(QStringLiteral("Export &As..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
                                    this, [this] { files.ExportAs(SuggestedPictureName()); });
  FileMenu->addAction(QStringLiteral("Export for P&LC..."), this, [this] { ExportForPlc(session, dialogs_); });
  FileMenu->addSeparator();
  FilePrint = FileMenu->addAction(QStringLiteral("&Print Circuit"), QKeySequence(Qt::CTRL | Qt::Key_P), this,
                                  &MainWindow::FilePrint_Click);
  FileMenu->addAction(QStringLiteral("Class &Report..."), this,
                      [this] { ShowClassReport(this, tiles.Images(), dialogs_); });
  FileMenu->addSeparator();
  FileExit = FileMenu->addAction(QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q), this,
                                 &MainWindow::FileExit_Click);

  EditMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
  EditUndo = EditMenu->addAction(QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), this, [this] {
    session.Undo();
    AfterUndo();
  });
  EditRedo = EditMenu->addAction(QStringLiteral("&Redo"), this, [this] {
    session.Redo();
    AfterUndo();
  });
  EditRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  SyncUndo();

  DataFormMenu = menuBar()->addMenu(QStringLiteral("&State Diagram"));
  DataForm = DataFormMenu->addAction(QStringLiteral("&Form"), QKeySequence(Qt::CTRL | Qt::Key_F), this,
                                     &MainWindow::DataForm_Click);
  DataFormNew = DataFormMenu->addAction(QStringLiteral("&New Form"), QKeySequence(Qt::CTRL | Qt::Key_N), this,
                                        &MainWindow::DataFormNew_Click);
  ShowDiagram = DataFormMenu->addAction(QStringLiteral("Show &Diagram"), QKeySequence(Qt::CTRL | Qt::Key_D), this,
                                        &MainWindow::ShowDiagram_Click);

  ToolsMenu = menuBar()->addMenu(QStringLiteral("&Tools"));
  ToolsAddText = ToolsMenu->addAction(QStringLiteral("Add &Text"), QKeySequence(Qt::CTRL | Qt::Key_T), this,
                                      &MainWindow::InsText_Click);
  ToolsCheck = ToolsMenu->addAction(QStringLiteral("Check &Circuit"), QKeySequence(Qt::CTRL | Qt::Key_K), this,
                                    &MainWindow::ToolsCheck_Click);
  ToolsCheck->setEnabled(false);
  ToolsSimulate =
      ToolsMenu->addAction(QStringLiteral("&Simulate"), QKeySequence(Qt::Key_F6), this, &MainWindow::Simulate_Click);
  ToolsTransitCodes = ToolsMenu->addAction(
      QString::fromUtf8(kTransitToolTitle).replace(QStringLiteral(" with "), QStringLiteral(" &with ")), this,
      [this] { session.AssignCodesWithTransitStates(); });

  ViewMenu = menuBar()->addMenu(QStringLiteral("&View"));
  // The views in the order of their buttons, Ctrl+1 .. Ctrl+6.
  for (int i = 0; i < kViewButtons; ++i) {
    const ViewButton b = kViewMenuOrder[i];
    QAction* show = ViewMenu->addAction(ViewMenuCaption(b), QKeySequence(Qt::CTRL | (Qt::Key_1 + i)), this,
                                        [this, b] { ShowView(b); });
    show->setCheckable(true);
    viewActions[static_cast<int>(b)] = show;
  }
  ParallelFormAction = ViewMenu->addAction(QStringLiteral("&Parallel Form"));
  ParallelFormAction->setCheckable(true);
  connect(ParallelFormAction, &QAction::toggled, parallelForm, &QCheckBox::setChecked);
  connect(parallelForm, &QCheckBox::toggled, ParallelFormAction, &QAction::setChecked);
  ViewMenu->addSeparator();
  ZoomIn = ViewMenu->addAction(QStringLiteral("Zoom &In"), this, [this] { ZoomStep(1); });
  ZoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  ZoomOut = ViewMenu->addAction(QStringLiteral("Zoom &Out"), this, [this] { ZoomStep(-1); });
  ZoomOut->setShortcuts(QKeySequence::ZoomOut);
  ZoomActual = ViewMenu->addAction(QStringLiteral("Actual &Size"), QKeySequence(Qt::CTRL | Qt::Key_0), this,
                                   [this] { SetZoom(1.0); });
  ZoomFit =
      ViewMenu->addAction(QStringLiteral("&Fit"), QKeySequence(Qt::CTRL | Qt::Key_9), this, &MainWindow::ZoomToFit);
  ViewMenu->addSeparator();
  // Ctrl+C copies the picture when the canvas has the focus; the text box
  // keeps its own Ctrl+C.
  CopyPicture = ViewMenu->addAction(QStringLiteral("Cop&y Picture"), this, &MainWindow::CopyPicture_Click);
  CopyPicture->setShortcut(QKeySequence::Copy);
  CopyPicture->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  CanvasScroll->addAction(CopyPicture);

  AboutForm = menuBar()->addMenu(QStringLiteral("&Help"));
  Manual = AboutForm->addAction(QStringLiteral("Kelvo 16s &Manual"), QKeySequence(Qt::SHIFT | Qt::Key_F1), this,
                                &MainWindow::Manual_Click);
  About = AboutForm->addAction(QStringLiteral("&About Kelvo 16s"), QKeySequence(Qt::Key_F1), this,
                               &MainWindow::About_Click);
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
  editor.CircAdd = false;
  editor.AddNo = -1;
  entryForm = &session.form;
  SyncViewButtons();
  return true;
}

EntryFormWindow& MainWindow::EntryWindow() {
  // The form's widgets are made when it is first shown; its table and logic
  // exist from start-up on.
  if (!entryFormWindow) {
    entryFormWindow = std::make_unique<EntryFormWindow>(*entryForm, dialogs_);
    entryFormWindow->setWindowIcon(windowIcon());
    RememberPlace(entryFormWindow.get(), QStringLiteral("form"));
    entryFormWindow->onLeave = [this] { LeaveEntryForm(); };
    entryFormWindow->onEdited = [this] {
      UpdateTitle();
      SyncStatus();
    };
    entryFormWindow->onUndo = [this] {
      session.Undo();
      AfterUndo();
    };
    entryFormWindow->onRedo = [this] {
      session.Redo();
      AfterUndo();
    };
    entryFormWindow->onFileUsed = [this] { RememberRecent(entryForm->documentPath(), true); };
    StayAbove(entryFormWindow.get(), this);
  }
  return *entryFormWindow;
}

void MainWindow::SyncViewButtons() {
  for (ViewButton b : kAllViewButtons) {
    QPushButton* button = ViewButtonWidget(b);
    button->setEnabled(views.Enabled(b));
    if (QAction* show = viewActions[static_cast<int>(b)]) {
      show->setEnabled(views.Enabled(b));
      show->setChecked(views.Current() == b);
    }
    QFont font = button->font();
    font.setUnderline(views.Current() == b);
    button->setFont(font);
  }
  // A tall or wide drawing makes the picture larger; the scroll area shows the rest.
  Picture1->FitToCanvas();
  QString note = QString::fromStdString(views.EmptyView());
  // An empty start says what to do first.
  if (note.isEmpty() && !views.HasCircuit() && entryForm && entryForm->documentPath().empty() &&
      !entryForm->Modified() && !session.document.HasHandEdits()) {
    note = QStringLiteral("Open a table (F2) or start a new one (Ctrl+N)");
  }
  Picture1->SetNote(note);
  SyncStatus();
  Picture1->update();
}

void MainWindow::SyncStatus() {
  const auto notes = session.Notes();
  QString text = notes.empty() ? QString() : QString::fromStdString(notes.front());
  if (notes.size() > 1) {
    text = QStringLiteral("%1 notes on this drawing (all in Tools > Check Circuit): ").arg(notes.size()) + text;
  }
  // The view shown instead of the one asked for comes first.
  if (!views.ViewNote().empty()) {
    text = QString::fromStdString(views.ViewNote()) + (text.isEmpty() ? QString() : QStringLiteral("  |  ") + text);
  }
  if (session.DrawingIsStale()) {
    text = QString::fromUtf8(kStaleDrawing) + (text.isEmpty() ? QString() : QStringLiteral("  |  ") + text);
  }
  QStringList all;
  for (const auto& note : notes) all << QString::fromStdString(note);
  DrawingNotes->setText(text);
  DrawingNotes->setToolTip(all.join(QLatin1Char('\n')));
}

void MainWindow::SyncTools() {
  QFont font = AddCirc->font();
  font.setUnderline(editor.AddCircUnderlined);
  AddCirc->setFont(font);
  RubberOn->setChecked(editor.RubberOn);
  CurrTxtXY->setText(editor.CurrTxtXY);
  const Rgb c = editor.CurrColor;
  CurrColor->setStyleSheet(QStringLiteral("background: rgb(%1,%2,%3);").arg(c.r).arg(c.g).arg(c.b));
  Picture1->update();
}

QWidget* MainWindow::WindowInCharge() const {
  // The windows that disable this one while they are open.
  for (QWidget* w : std::initializer_list<QWidget*>{componentPicker.data(), printerForm.data(), aboutBox.data(),
                                                    entryFormWindow.get()}) {
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
  for (int i = 0; i < kPaletteSize; ++i) {
    if (watched != ColorFr[i]) continue;
    if (event->type() == QEvent::MouseButtonPress) editor.ColorFr_Click(i);
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        editor.ColorFr_Click(i);
        return true;
      }
      const int step = key == Qt::Key_Left || key == Qt::Key_Up      ? -1
                       : key == Qt::Key_Right || key == Qt::Key_Down ? 1
                                                                     : 0;
      if (step != 0) {
        ColorFr[(i + step + kPaletteSize) % kPaletteSize]->setFocus(Qt::TabFocusReason);
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::AddCirc_Click() {
  if (!editor.AddCirc_Click() || componentPicker) return;
  setEnabled(false);
  componentPicker = new ComponentPicker(tiles);
  componentPicker->setWindowIcon(windowIcon());
  RememberPlace(componentPicker, QStringLiteral("component"));
  StayAbove(componentPicker, this);
  editor.PickerOpened();
  componentPicker->onOk = [this](int slot) { editor.InsOK_Click(slot); };
  componentPicker->onClosed = [this](bool byUser) {
    editor.PickerClosed(byUser);
    setEnabled(true);
  };
  componentPicker->show();
}

void MainWindow::FilePrint_Click() {
  if (printerForm) return;
  if (!printer) printer = std::make_unique<QPrinter>();
  printerForm = new PrinterForm(views, canvas, *printer, dialogs_);
  printerForm->setWindowIcon(windowIcon());
  RememberPlace(printerForm, QStringLiteral("print"));
  if (entryForm) printerForm->documentName = QString::fromStdString(entryForm->DocumentName());
  StayAbove(printerForm, this);
  printerForm->onViewDrawn = [this] { SyncViewButtons(); };
  printerForm->onClosed = [this] { setEnabled(true); };
  setEnabled(false);
  printerForm->show();
}

void MainWindow::ZoomStep(int steps) {
  static constexpr std::array<double, 9> kZooms{0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0, 6.0};
  const double now = Picture1->Zoom();
  double next = now;
  if (steps > 0) {
    for (double z : kZooms) {
      if (z > now + 1e-9) {
        next = z;
        break;
      }
    }
  } else {
    for (auto z = kZooms.rbegin(); z != kZooms.rend(); ++z) {
      if (*z < now - 1e-9) {
        next = *z;
        break;
      }
    }
  }
  SetZoom(next);
}

void MainWindow::SetZoom(double zoom) {
  if (!Picture1->SetZoom(zoom)) dialogs_.Notify(Picture1->TooLarge(zoom));
  ZoomLevel->setText(QStringLiteral("%1%").arg(std::lround(Picture1->Zoom() * 100)));
}

void MainWindow::ZoomToFit() {
  const QSize room = CanvasScroll->viewport()->size();
  const QSize picture = canvas.Image().size();
  SetZoom(std::min(double(room.width()) / picture.width(), double(room.height()) / picture.height()));
}

void MainWindow::CopyPicture_Click() {
  QGuiApplication::clipboard()->setImage(canvas.Image().copy(DrawnArea(canvas.Record())));
}

void MainWindow::InsText_Click() { editor.InsText_Click(PicText->text().toStdString()); }

void MainWindow::ShowView(ViewButton button) {
  views.Show(button);
  SyncViewButtons();
  // A view in the other form runs the other form's circuits.
  if (simulationWindow && simulationWindow->Simulation() &&
      simulationWindow->Simulation()->Parallel() != views.ShownParallel()) {
    RestartSimulation();
  }
}

void MainWindow::ShowEquationView(const EquationViewTexts& texts) {
  if (!eqView) {
    eqView = std::make_unique<EquationWindow>();
    eqView->setWindowIcon(windowIcon());
    RememberPlace(eqView.get(), QStringLiteral("equations"), this);
    StayAbove(eqView.get(), this);
  }
  eqView->ShowTexts(texts);
  eqView->show();
  eqView->raise();
}

// "Circuit" hands over: the window comes back before the circuits are drawn.
void MainWindow::HandOverCircuit() {
  DataFormMenu->menuAction()->setEnabled(true);
  setEnabled(true);
  if (entryFormWindow) entryFormWindow->hide();
}

void MainWindow::CircuitDrawn() {
  SyncViewButtons();
  ToolsCheck->setEnabled(true);
  checkVerdict->Start(session.drawn->table, session.drawn->equations, grid, views.parallelForm);
  UpdateTitle();
  RefreshDiagram();
  RestartSimulation();
}

void MainWindow::Simulate_Click() {
  if (!simulationWindow) {
    simulationWindow = std::make_unique<SimulationWindow>();
    simulationWindow->setWindowIcon(windowIcon());
    RememberPlace(simulationWindow.get(), QStringLiteral("simulation"), this);
    simulationWindow->onChanged = [this] {
      Picture1->update();
      FollowSimulationInDiagram();
    };
    simulationWindow->onClosed = [this] {
      Picture1->paintOverlay = nullptr;
      Picture1->update();
      if (diagramWindow) {
        diagramWindow->View->highlight = {};
        diagramWindow->View->update();
      }
    };
    StayAbove(simulationWindow.get(), this);
  }
  simulationWindow->show();
  simulationWindow->raise();
  simulationWindow->activateWindow();
  RestartSimulation();
}

void MainWindow::FollowSimulationInDiagram() {
  if (!diagramWindow || !simulationWindow || !simulationWindow->Simulation() || !session.drawn) return;
  DiagramHighlight& h = diagramWindow->View->highlight;
  const int now = simulationWindow->Simulation()->State();
  if (now != h.state) {
    // Reached through a transition of the state before: that arrow is stressed.
    h.fromState = h.slot = -1;
    for (int j = 0; IsValidState(h.state) && now >= 0 && j < kSlotCount; ++j) {
      if (StateOfTarget(session.drawn->table.Targets[h.state][j]) == now) {
        h.fromState = h.state;
        h.slot = j;
        break;
      }
    }
    h.state = now;
  }
  diagramWindow->View->update();
}

void MainWindow::RestartSimulation() {
  if (!simulationWindow || !simulationWindow->isVisible()) return;
  std::unique_ptr<MachineSimulation> sim;
  const StateDiagram* table = nullptr;
  if (session.drawn && views.HasCircuit()) {
    // The circuits of the form the view on screen draws, and what they were drawn from.
    table = &session.drawn->table;
    sim = std::make_unique<MachineSimulation>(*table, session.drawn->equations, grid, views.ShownParallel());
  }
  if (diagramWindow) diagramWindow->View->highlight = {};
  simulationWindow->Start(std::move(sim), table,
                          session.DrawingIsStale() ? QString::fromUtf8(kStaleDrawing) : QString());
  // The current is shown on the view on screen, whichever it is.
  Picture1->paintOverlay = [this](QPainter& p) {
    if (simulationWindow && simulationWindow->Simulation()) {
      PaintCurrent(p, LitCells(*simulationWindow->Simulation(), views.Places()));
    }
  };
  Picture1->update();
}

void MainWindow::ShowDiagram_Click() {
  if (!entryForm) return;
  if (!diagramWindow) {
    diagramWindow = std::make_unique<DiagramWindow>(dialogs_);
    diagramWindow->setWindowIcon(windowIcon());
    RememberPlace(diagramWindow.get(), QStringLiteral("diagram"), this);
    diagramWindow->View->onStateClicked = [this](int state) { OpenFormAt(state); };
    StayAbove(diagramWindow.get(), this);
  }
  diagramWindow->show();
  diagramWindow->raise();
  diagramWindow->activateWindow();
  RefreshDiagram();
}

void MainWindow::RefreshDiagram() {
  if (entryForm && diagramWindow && diagramWindow->isVisible()) {
    diagramWindow->suggestedName =
        QString::fromStdString(BesideDocument(DocumentStem() + QStringLiteral("-diagram.png")));
    diagramWindow->ShowTable(entryForm->table());
  }
}

QString MainWindow::DocumentStem() const {
  return entryForm ? QFileInfo(QString::fromStdString(entryForm->DocumentName())).completeBaseName()
                   : QStringLiteral("Untitled");
}

std::string MainWindow::SuggestedPictureName() const {
  QString view = QString::fromUtf8(ViewCaption(views.ShownKey().view));
  if (views.ShownKey().noCircuit) view = QStringLiteral("picture");
  view.replace(QLatin1Char(' '), QLatin1Char('-'));
  return BesideDocument(DocumentStem() + QLatin1Char('-') + view + QStringLiteral(".png"));
}

std::string MainWindow::BesideDocument(const QString& name) const {
  if (!entryForm || entryForm->documentPath().empty()) return QFile::encodeName(name).toStdString();
  const QString document = QFile::decodeName(QByteArray::fromStdString(entryForm->documentPath()));
  return QFile::encodeName(QFileInfo(document).absoluteDir().filePath(name)).toStdString();
}

void MainWindow::OpenFormAt(int state) {
  if (!entryForm || !IsValidState(state)) return;
  if (entryFormWindow) entryFormWindow->EnsureCreated();
  entryForm->StoreStatePage();
  shownState = state;
  entryForm->ShowStatePage();
  DataForm_Click();
}

void MainWindow::ToolsCheck_Click() {
  if (!session.drawn || !ToolsCheck->isEnabled() || !views.HasCircuit()) return;
  if (checkReport) checkReport->close();
  // The check runs what is drawn, and says so when the table has moved on.
  checkReport = new CheckReportWindow(
      CheckCircuit(session.drawn->table, session.drawn->equations, grid, views.parallelForm), session.Notes(), this,
      session.DrawingIsStale() ? QString::fromUtf8(kStaleDrawing) : QString());
  checkReport->setWindowIcon(windowIcon());
  RememberPlace(checkReport, QStringLiteral("check"), this);
  checkReport->show();
}

void MainWindow::LeaveEntryForm() {
  if (entryFormWindow) entryFormWindow->EnsureCreated();  // a closed form drops its unstored edits
  setEnabled(true);
  DataFormMenu->menuAction()->setEnabled(true);
  UpdateTitle();
}

void MainWindow::DataForm_Click() {
  if (!entryForm) return;
  DataFormMenu->menuAction()->setEnabled(false);
  setEnabled(false);
  EntryWindow().ShowForm();
  DataFormNew->setEnabled(true);
}

void MainWindow::DataFormNew_Click() {
  if (!entryForm || !MayReplaceDocument()) return;
  shownState = 0;
  setEnabled(false);
  EntryWindow().ShowForm();
  entryForm->NewDocument();
  session.CircuitNotDrawn();  // the new table has no circuit yet
  UpdateTitle();
  RefreshDiagram();
}

void MainWindow::FileOpen_Click() {
  if (!entryForm || !MayReplaceDocument()) return;
  if (!entryForm->OpenWithDialog()) return;  // cancelled or failed: the table is as it was
  OpenedFile();
}

void MainWindow::OpenFile(const QString& path) { OpenFile(QFile::encodeName(path).toStdString()); }

void MainWindow::OpenFile(const std::string& path) {
  if (!entryForm) return;
  if (entryFormWindow) entryFormWindow->EnsureCreated();
  if (!entryForm->LoadStatesFrom(path)) {
    RememberRecent(path, false);  // a file that cannot be opened leaves the list
    return;
  }
  OpenedFile();
}

void MainWindow::OpenedFile() {
  RememberRecent(entryForm->documentPath(), true);
  UpdateTitle();
  DataFormNew->setEnabled(true);
  entryForm->OfferAutoCodes();
  entryForm->DrawCircuit();
  UpdateTitle();
}

void MainWindow::FileSave_Click() {
  if (!entryForm) return;
  if (entryFormWindow) entryFormWindow->EnsureCreated();
  if (entryForm->SaveWithDialog()) RememberRecent(entryForm->documentPath(), true);
  UpdateTitle();
}

void MainWindow::FileSaveInPlace_Click() {
  if (!entryForm) return;
  if (entryFormWindow) entryFormWindow->EnsureCreated();
  if (entryForm->Save()) RememberRecent(entryForm->documentPath(), true);
  UpdateTitle();
}

bool MainWindow::MayReplaceDocument() { return session.MayDropHandEdits() && SaveChangesFirst(); }

void MainWindow::DocumentChanged() {
  UpdateTitle();
  SyncUndo();
  if (DrawingNotes) SyncStatus();
}

void MainWindow::SyncUndo() {
  if (!EditUndo) return;
  const QString undo = QString::fromStdString(session.document.UndoText());
  const QString redo = QString::fromStdString(session.document.RedoText());
  EditUndo->setEnabled(session.document.CanUndo());
  EditUndo->setText(undo.isEmpty() ? QStringLiteral("&Undo") : QStringLiteral("&Undo %1").arg(undo));
  EditRedo->setEnabled(session.document.CanRedo());
  EditRedo->setText(redo.isEmpty() ? QStringLiteral("&Redo") : QStringLiteral("&Redo %1").arg(redo));
}

void MainWindow::AfterUndo() {
  SyncViewButtons();
  SyncTools();
  UpdateTitle();
  SyncUndo();
  RefreshDiagram();
}

bool MainWindow::SaveChangesFirst() {
  // A form closed from its title bar is rebuilt from the table before the
  // question, so only edits that count are weighed.
  if (entryFormWindow) entryFormWindow->EnsureCreated();
  const bool go = entryForm->SaveChangesFirst();
  if (!entryForm->documentPath().empty()) RememberRecent(entryForm->documentPath(), true);
  UpdateTitle();
  return go;
}

bool MainWindow::ConfirmQuit() {
  if (!entryForm) return true;
  if (entryFormWindow) entryFormWindow->EnsureCreated();
  // Only what would be lost is asked about: a changed table, then hand edits
  // not yet exported, naming their views.
  if (entryForm->Modified() && !SaveChangesFirst()) return false;
  const auto& unexported = session.document.UnexportedViews();
  if (unexported.empty()) return true;
  std::string views = "hand edits not exported: ";
  for (auto v = unexported.begin(); v != unexported.end(); ++v) {
    views += (v == unexported.begin() ? "" : ", ") + DescribeView(*v);
  }
  return dialogs_.AskYesNo(kDataLossQuestion, kDataLossTitle, Answer::No, views);
}

void MainWindow::FileExit_Click() {
  if (!ConfirmQuit()) return;
  quitConfirmed_ = true;
  close();
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

QStringList MainWindow::RecentFiles() const { return kelvo::RecentFiles{}.List(); }

void MainWindow::RememberRecent(const std::string& path, bool keep) {
  kelvo::RecentFiles{}.Remember(path, keep);
  FillRecentMenu();
}

void MainWindow::FillRecentMenu() {
  RecentMenu->clear();
  const QStringList recent = RecentFiles();
  for (int i = 0; i < recent.size(); ++i) {
    const QString path = recent[i];
    QAction* open = RecentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    open->setToolTip(path);
    connect(open, &QAction::triggered, this, [this, path] {
      if (MayReplaceDocument()) OpenFile(path);
    });
  }
  RecentMenu->setToolTipsVisible(true);  // the full path of each
  if (!recent.isEmpty()) {
    RecentMenu->addSeparator();
    RecentMenu->addAction(QStringLiteral("&Clear List"), this, [this] {
      kelvo::RecentFiles{}.Clear();
      FillRecentMenu();
    });
  }
  RecentMenu->setEnabled(!recent.isEmpty());
}

void MainWindow::Manual_Click() {
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

void MainWindow::About_Click() {
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
  if (event->spontaneous() && !quitConfirmed_ && !ConfirmQuit()) {
    event->ignore();
    return;
  }
  quitConfirmed_ = false;
  QSettings().setValue(QStringLiteral("windows/main"), saveGeometry());
  eqView.reset();
  manualWindow.reset();
  diagramWindow.reset();
  simulationWindow.reset();
  if (aboutBox) aboutBox->close();
  if (componentPicker) componentPicker->close();
  if (printerForm) printerForm->close();
  if (entryFormWindow) entryFormWindow->hide();
  event->accept();
}

}  // namespace kelvo
