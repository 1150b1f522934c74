#include "ui/Form1.h"

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
                                                              ViewButton::ShowAll, ViewButton::ShowSC};

QString ViewMenuCaption(ViewButton b) {
  if (b == ViewButton::ShowAll) return QStringLiteral("Show A&ll");
  if (b == ViewButton::ShowSC) return QStringLiteral("&Machine State");
  return QStringLiteral("Circuit &") + QString::fromUtf8(ViewCaption(b));
}

}  // namespace

Form1::Form1(UserDialogs& dialogs)
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

Form1::~Form1() {
  // The entry form's logic calls back into this window; stop that first.
  if (statesIn) statesIn->onRepaint = nullptr;
}

void Form1::BuildControls() {
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
        : b == ViewButton::ShowSC
            ? QStringLiteral("The output relays' circuits")
            : QStringLiteral("The circuit of state variable %1")
                  .arg(QChar(QLatin1Char('A' + static_cast<int>(b) - static_cast<int>(ViewButton::ShowA)))));
    button->setObjectName(QString::fromUtf8(ViewButtonName(b)));
    button->setGeometry(places[static_cast<int>(b)]);
    connect(button, &QPushButton::clicked, this, [this, b] { ShowView(b); });
    viewButtons[static_cast<int>(b)] = button;
  }
  ParForm = new QCheckBox(QStringLiteral("&Parallel Form"), client);
  ParForm->setGeometry(ImageCanvas::ToPixels(11640, 9840, 1635, 255));
  connect(ParForm, &QCheckBox::toggled, this, [this](bool on) { views.ParForm = on; });

  const auto pictureButton = [&](const QIcon& icon, const QString& tip, QRect where) {
    auto* b = new QToolButton(client);
    b->setIcon(icon);
    b->setIconSize(QSize(32, 32));
    b->setToolTip(tip);
    b->setGeometry(where);
    return b;
  };
  FormCom = pictureButton(StateDiagramIcon(), QStringLiteral("State Diagram Form"),
                          ImageCanvas::ToPixels(10320, 9000, 495, 495));
  ExtrCom = pictureButton(ExportIcon(), QStringLiteral("Extract Circuit (Save As)"),
                          ImageCanvas::ToPixels(10920, 9000, 495, 495));
  PrintCom = pictureButton(PrintIcon(), QStringLiteral("Print Circuit"), ImageCanvas::ToPixels(10320, 9600, 495, 495));
  InpCom = pictureButton(ImportIcon(), QStringLiteral("Import Circuit"), ImageCanvas::ToPixels(10920, 9600, 495, 495));
  connect(FormCom, &QToolButton::clicked, this, &Form1::DataForm_Click);
  connect(ExtrCom, &QToolButton::clicked, this, [this] { files.ExtrCom_Click(); });
  connect(PrintCom, &QToolButton::clicked, this, &Form1::FilePrint_Click);
  connect(InpCom, &QToolButton::clicked, this, [this] { files.InpCom_Click(); });

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

void Form1::FitClientArea() {
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

void Form1::BuildToolsFrame(QWidget* parent) {
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
    auto* swatch = new QLabel;
    swatch->setFixedSize(15, 17);
    swatch->setStyleSheet(QStringLiteral("QLabel { background: rgb(%1,%2,%3); border: 1px solid gray; }"
                                         "QLabel:focus { border: 2px solid black; }")
                              .arg(c.r)
                              .arg(c.g)
                              .arg(c.b));
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

  connect(AddCirc, &QPushButton::clicked, this, &Form1::AddCirc_Click);
  connect(RubberOn, &QCheckBox::clicked, this, [this](bool ticked) { editor.RubberOn_Click(ticked); });
  connect(InsText, &QPushButton::clicked, this, &Form1::InsText_Click);
}

void Form1::BuildMenus() {
  FileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  FileOpen = FileMenu->addAction(QStringLiteral("&Open State Diagram"), this, &Form1::FileOpen_Click);
  FileOpen->setShortcuts({QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_O)});
  FileSaveInPlace = FileMenu->addAction(QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S), this,
                                        &Form1::FileSaveInPlace_Click);
  FileSaveAs = FileMenu->addAction(QStringLiteral("Save &As..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this,
                                   &Form1::FileSave_Click);
  FileSave = FileMenu->addAction(QStringLiteral("Save State &Diagram"), QKeySequence(Qt::Key_F3), this,
                                 &Form1::FileSave_Click);
  RecentMenu = FileMenu->addMenu(QStringLiteral("Recent &Files"));
  FillRecentMenu();
  QMenu* picture = FileMenu->addMenu(QStringLiteral("&Circuit"));
  FileImport =
      picture->addAction(QStringLiteral("&Import"), QKeySequence(Qt::Key_F4), this, [this] { files.InpCom_Click(); });
  FileExtract =
      picture->addAction(QStringLiteral("&Export"), QKeySequence(Qt::Key_F5), this, [this] { files.ExtrCom_Click(); });
  FileExportAs = picture->addAction(QStringLiteral("Export &As..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
                                    this, [this] { files.ExportAs_Click(SuggestedPictureName()); });
  FileMenu->addAction(QStringLiteral("Export for P&LC..."), this, [this] { ExportForPlc(session, dialogs_); });
  FileMenu->addSeparator();
  FilePrint = FileMenu->addAction(QStringLiteral("&Print Circuit"), QKeySequence(Qt::CTRL | Qt::Key_P), this,
                                  &Form1::FilePrint_Click);
  FileMenu->addAction(QStringLiteral("Class &Report..."), this,
                      [this] { ShowClassReport(this, tiles.Images(), dialogs_); });
  FileMenu->addSeparator();
  FileExit =
      FileMenu->addAction(QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q), this, &Form1::FileExit_Click);

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
                                     &Form1::DataForm_Click);
  DataFormNew = DataFormMenu->addAction(QStringLiteral("&New Form"), QKeySequence(Qt::CTRL | Qt::Key_N), this,
                                        &Form1::DataFormNew_Click);
  ShowDiagram = DataFormMenu->addAction(QStringLiteral("Show &Diagram"), QKeySequence(Qt::CTRL | Qt::Key_D), this,
                                        &Form1::ShowDiagram_Click);

  ToolsMenu = menuBar()->addMenu(QStringLiteral("&Tools"));
  ToolsAddText = ToolsMenu->addAction(QStringLiteral("Add &Text"), QKeySequence(Qt::CTRL | Qt::Key_T), this,
                                      &Form1::InsText_Click);
  ToolsCheck = ToolsMenu->addAction(QStringLiteral("Check &Circuit"), QKeySequence(Qt::CTRL | Qt::Key_K), this,
                                    &Form1::ToolsCheck_Click);
  ToolsCheck->setEnabled(false);
  ToolsSimulate =
      ToolsMenu->addAction(QStringLiteral("&Simulate"), QKeySequence(Qt::Key_F6), this, &Form1::Simulate_Click);
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
  connect(ParallelFormAction, &QAction::toggled, ParForm, &QCheckBox::setChecked);
  connect(ParForm, &QCheckBox::toggled, ParallelFormAction, &QAction::setChecked);
  ViewMenu->addSeparator();
  ZoomIn = ViewMenu->addAction(QStringLiteral("Zoom &In"), this, [this] { ZoomStep(1); });
  ZoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  ZoomOut = ViewMenu->addAction(QStringLiteral("Zoom &Out"), this, [this] { ZoomStep(-1); });
  ZoomOut->setShortcuts(QKeySequence::ZoomOut);
  ZoomActual = ViewMenu->addAction(QStringLiteral("Actual &Size"), QKeySequence(Qt::CTRL | Qt::Key_0), this,
                                   [this] { SetZoom(1.0); });
  ZoomFit = ViewMenu->addAction(QStringLiteral("&Fit"), QKeySequence(Qt::CTRL | Qt::Key_9), this, &Form1::ZoomToFit);
  ViewMenu->addSeparator();
  // Ctrl+C copies the picture when the canvas has the focus; the text box
  // keeps its own Ctrl+C.
  CopyPicture = ViewMenu->addAction(QStringLiteral("Cop&y Picture"), this, &Form1::CopyPicture_Click);
  CopyPicture->setShortcut(QKeySequence::Copy);
  CopyPicture->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  CanvasScroll->addAction(CopyPicture);

  AboutForm = menuBar()->addMenu(QStringLiteral("&Help"));
  Manual = AboutForm->addAction(QStringLiteral("Kelvo 16s &Manual"), QKeySequence(Qt::SHIFT | Qt::Key_F1), this,
                                &Form1::Manual_Click);
  About = AboutForm->addAction(QStringLiteral("&About Kelvo 16s"), QKeySequence(Qt::Key_F1), this, &Form1::About_Click);
}

void Form1::ShowAtHome() {
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

bool Form1::StartUp(const QStringList& tileFolders) {
  FrmSplash splash;
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

  f2count = 0;
  editor.CircAdd = false;
  editor.AddNo = -1;
  statesIn = &session.form;
  SyncViewButtons();
  return true;
}

StatesInWindow& Form1::EntryWindow() {
  // The form's widgets are made when it is first shown; its table and logic
  // exist from start-up on.
  if (!statesInWindow) {
    statesInWindow = std::make_unique<StatesInWindow>(*statesIn, dialogs_);
    statesInWindow->setWindowIcon(windowIcon());
    RememberPlace(statesInWindow.get(), QStringLiteral("form"));
    statesInWindow->onLeave = [this] { LeaveStatesIn(); };
    statesInWindow->onEdited = [this] {
      UpdateTitle();
      SyncStatus();
    };
    statesInWindow->onUndo = [this] {
      session.Undo();
      AfterUndo();
    };
    statesInWindow->onRedo = [this] {
      session.Redo();
      AfterUndo();
    };
    statesInWindow->onFileUsed = [this] { RememberRecent(statesIn->documentPath(), true); };
    StayAbove(statesInWindow.get(), this);
  }
  return *statesInWindow;
}

void Form1::SyncViewButtons() {
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
  if (note.isEmpty() && !views.HasCircuit() && statesIn && statesIn->documentPath().empty() && !statesIn->Modified() &&
      !session.document.HasHandEdits()) {
    note = QStringLiteral("Open a table (F2) or start a new one (Ctrl+N)");
  }
  Picture1->SetNote(note);
  SyncStatus();
  Picture1->update();
}

void Form1::SyncStatus() {
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

void Form1::SyncTools() {
  QFont font = AddCirc->font();
  font.setUnderline(editor.AddCircUnderlined);
  AddCirc->setFont(font);
  RubberOn->setChecked(editor.RubberOn);
  CurrTxtXY->setText(editor.CurrTxtXY);
  const Rgb c = editor.CurrColor;
  CurrColor->setStyleSheet(QStringLiteral("background: rgb(%1,%2,%3);").arg(c.r).arg(c.g).arg(c.b));
  Picture1->update();
}

QWidget* Form1::WindowInCharge() const {
  // The windows that disable this one while they are open.
  for (QWidget* w :
       std::initializer_list<QWidget*>{picIns.data(), printerForm.data(), aboutBox.data(), statesInWindow.get()}) {
    if (w && w->isVisible()) return w;
  }
  return nullptr;
}

bool Form1::event(QEvent* event) {
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

bool Form1::eventFilter(QObject* watched, QEvent* event) {
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

void Form1::AddCirc_Click() {
  if (!editor.AddCirc_Click() || picIns) return;
  setEnabled(false);
  picIns = new PicIns(tiles);
  picIns->setWindowIcon(windowIcon());
  RememberPlace(picIns, QStringLiteral("component"));
  StayAbove(picIns, this);
  editor.PicIns_Opened();
  picIns->onOk = [this](int slot) { editor.InsOK_Click(slot); };
  picIns->onClosed = [this](bool byUser) {
    editor.PicIns_Closed(byUser);
    setEnabled(true);
  };
  picIns->show();
}

void Form1::FilePrint_Click() {
  if (printerForm) return;
  if (!printer) printer = std::make_unique<QPrinter>();
  printerForm = new PrinterForm(views, canvas, *printer, dialogs_);
  printerForm->setWindowIcon(windowIcon());
  RememberPlace(printerForm, QStringLiteral("print"));
  if (statesIn) printerForm->documentName = QString::fromStdString(statesIn->DocumentName());
  StayAbove(printerForm, this);
  printerForm->onViewDrawn = [this] { SyncViewButtons(); };
  printerForm->onClosed = [this] { setEnabled(true); };
  setEnabled(false);
  printerForm->show();
}

void Form1::ZoomStep(int steps) {
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

void Form1::SetZoom(double zoom) {
  if (!Picture1->SetZoom(zoom)) dialogs_.Notify(Picture1->TooLarge(zoom));
  ZoomLevel->setText(QStringLiteral("%1%").arg(std::lround(Picture1->Zoom() * 100)));
}

void Form1::ZoomToFit() {
  const QSize room = CanvasScroll->viewport()->size();
  const QSize picture = canvas.Image().size();
  SetZoom(std::min(double(room.width()) / picture.width(), double(room.height()) / picture.height()));
}

void Form1::CopyPicture_Click() {
  QGuiApplication::clipboard()->setImage(canvas.Image().copy(DrawnArea(canvas.Record())));
}

void Form1::InsText_Click() { editor.InsText_Click(PicText->text().toStdString()); }

void Form1::ShowView(ViewButton button) {
  views.Show(button);
  SyncViewButtons();
  // A view in the other form runs the other form's circuits.
  if (simulationWindow && simulationWindow->Simulation() &&
      simulationWindow->Simulation()->Parallel() != views.ShownParallel()) {
    RestartSimulation();
  }
}

void Form1::ShowEquationView(const EquationViewTexts& texts) {
  if (!eqView) {
    eqView = std::make_unique<EqView>();
    eqView->setWindowIcon(windowIcon());
    RememberPlace(eqView.get(), QStringLiteral("equations"), this);
    StayAbove(eqView.get(), this);
  }
  eqView->ShowTexts(texts);
  eqView->show();
  eqView->raise();
}

// "Circuit" hands over: the window comes back before the circuits are drawn.
void Form1::HandOverCircuit() {
  DataFormMenu->menuAction()->setEnabled(true);
  setEnabled(true);
  if (statesInWindow) statesInWindow->hide();
}

void Form1::CircuitDrawn() {
  SyncViewButtons();
  ToolsCheck->setEnabled(true);
  checkVerdict->Start(session.drawn->table, session.drawn->equations, grid, views.ParForm);
  UpdateTitle();
  RefreshDiagram();
  RestartSimulation();
}

void Form1::Simulate_Click() {
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

void Form1::FollowSimulationInDiagram() {
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

void Form1::RestartSimulation() {
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

void Form1::ShowDiagram_Click() {
  if (!statesIn) return;
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

void Form1::RefreshDiagram() {
  if (statesIn && diagramWindow && diagramWindow->isVisible()) {
    diagramWindow->suggestedName =
        QString::fromStdString(BesideDocument(DocumentStem() + QStringLiteral("-diagram.png")));
    diagramWindow->ShowTable(statesIn->table());
  }
}

QString Form1::DocumentStem() const {
  return statesIn ? QFileInfo(QString::fromStdString(statesIn->DocumentName())).completeBaseName()
                  : QStringLiteral("Untitled");
}

std::string Form1::SuggestedPictureName() const {
  QString view = QString::fromUtf8(ViewCaption(views.ShownKey().view));
  if (views.ShownKey().noCircuit) view = QStringLiteral("picture");
  view.replace(QLatin1Char(' '), QLatin1Char('-'));
  return BesideDocument(DocumentStem() + QLatin1Char('-') + view + QStringLiteral(".png"));
}

std::string Form1::BesideDocument(const QString& name) const {
  if (!statesIn || statesIn->documentPath().empty()) return QFile::encodeName(name).toStdString();
  const QString document = QFile::decodeName(QByteArray::fromStdString(statesIn->documentPath()));
  return QFile::encodeName(QFileInfo(document).absoluteDir().filePath(name)).toStdString();
}

void Form1::OpenFormAt(int state) {
  if (!statesIn || !IsValidState(state)) return;
  if (statesInWindow) statesInWindow->EnsureCreated();
  statesIn->StoreStatePage();
  f2count = state;
  statesIn->ShowStatePage();
  DataForm_Click();
}

void Form1::ToolsCheck_Click() {
  if (!session.drawn || !ToolsCheck->isEnabled() || !views.HasCircuit()) return;
  if (checkReport) checkReport->close();
  // The check runs what is drawn, and says so when the table has moved on.
  checkReport = new CheckReportWindow(CheckCircuit(session.drawn->table, session.drawn->equations, grid, views.ParForm),
                                      session.Notes(), this,
                                      session.DrawingIsStale() ? QString::fromUtf8(kStaleDrawing) : QString());
  checkReport->setWindowIcon(windowIcon());
  RememberPlace(checkReport, QStringLiteral("check"), this);
  checkReport->show();
}

void Form1::LeaveStatesIn() {
  if (statesInWindow) statesInWindow->EnsureCreated();  // a closed form drops its unstored edits
  setEnabled(true);
  DataFormMenu->menuAction()->setEnabled(true);
  UpdateTitle();
}

void Form1::DataForm_Click() {
  if (!statesIn) return;
  DataFormMenu->menuAction()->setEnabled(false);
  setEnabled(false);
  EntryWindow().ShowForm();
  DataFormNew->setEnabled(true);
}

void Form1::DataFormNew_Click() {
  if (!statesIn || !MayReplaceDocument()) return;
  f2count = 0;
  setEnabled(false);
  EntryWindow().ShowForm();
  statesIn->NewDocument();
  session.CircuitNotDrawn();  // the new table has no circuit yet
  UpdateTitle();
  RefreshDiagram();
}

void Form1::FileOpen_Click() {
  if (!statesIn || !MayReplaceDocument()) return;
  if (!statesIn->LoadStates_Click()) return;  // cancelled or failed: the table is as it was
  OpenedFile();
}

void Form1::OpenFile(const QString& path) { OpenFile(QFile::encodeName(path).toStdString()); }

void Form1::OpenFile(const std::string& path) {
  if (!statesIn) return;
  if (statesInWindow) statesInWindow->EnsureCreated();
  if (!statesIn->LoadStatesFrom(path)) {
    RememberRecent(path, false);  // a file that cannot be opened leaves the list
    return;
  }
  OpenedFile();
}

void Form1::OpenedFile() {
  RememberRecent(statesIn->documentPath(), true);
  UpdateTitle();
  DataFormNew->setEnabled(true);
  statesIn->OfferAutoCodes();
  statesIn->CircExt_Click();
  UpdateTitle();
}

void Form1::FileSave_Click() {
  if (!statesIn) return;
  if (statesInWindow) statesInWindow->EnsureCreated();
  if (statesIn->SaveStates_Click()) RememberRecent(statesIn->documentPath(), true);
  UpdateTitle();
}

void Form1::FileSaveInPlace_Click() {
  if (!statesIn) return;
  if (statesInWindow) statesInWindow->EnsureCreated();
  if (statesIn->Save()) RememberRecent(statesIn->documentPath(), true);
  UpdateTitle();
}

bool Form1::MayReplaceDocument() { return session.MayDropHandEdits() && SaveChangesFirst(); }

void Form1::DocumentChanged() {
  UpdateTitle();
  SyncUndo();
  if (DrawingNotes) SyncStatus();
}

void Form1::SyncUndo() {
  if (!EditUndo) return;
  const QString undo = QString::fromStdString(session.document.UndoText());
  const QString redo = QString::fromStdString(session.document.RedoText());
  EditUndo->setEnabled(session.document.CanUndo());
  EditUndo->setText(undo.isEmpty() ? QStringLiteral("&Undo") : QStringLiteral("&Undo %1").arg(undo));
  EditRedo->setEnabled(session.document.CanRedo());
  EditRedo->setText(redo.isEmpty() ? QStringLiteral("&Redo") : QStringLiteral("&Redo %1").arg(redo));
}

void Form1::AfterUndo() {
  SyncViewButtons();
  SyncTools();
  UpdateTitle();
  SyncUndo();
  RefreshDiagram();
}

bool Form1::SaveChangesFirst() {
  // A form closed from its title bar is rebuilt from the table before the
  // question, so only edits that count are weighed.
  if (statesInWindow) statesInWindow->EnsureCreated();
  const bool go = statesIn->SaveChangesFirst();
  if (!statesIn->documentPath().empty()) RememberRecent(statesIn->documentPath(), true);
  UpdateTitle();
  return go;
}

bool Form1::ConfirmQuit() {
  if (!statesIn) return true;
  if (statesInWindow) statesInWindow->EnsureCreated();
  // Only what would be lost is asked about: a changed table, then hand edits
  // not yet exported, naming their views.
  if (statesIn->Modified() && !SaveChangesFirst()) return false;
  const auto& unexported = session.document.UnexportedViews();
  if (unexported.empty()) return true;
  std::string views = "hand edits not exported: ";
  for (auto v = unexported.begin(); v != unexported.end(); ++v) {
    views += (v == unexported.begin() ? "" : ", ") + DescribeView(*v);
  }
  return dialogs_.AskYesNo(kDataLossQuestion, kDataLossTitle, Answer::No, views);
}

void Form1::FileExit_Click() {
  if (!ConfirmQuit()) return;
  quitConfirmed_ = true;
  close();
}

void Form1::UpdateTitle() {
  if (!statesIn) {
    setWindowTitle(QStringLiteral("Kelvo 16s"));
    return;
  }
  const bool modified = statesIn->Modified() || !session.document.IsClean();
  if (statesIn->documentPath().empty() && !modified) {
    setWindowTitle(QStringLiteral("Kelvo 16s"));
  } else {
    setWindowTitle(QStringLiteral("Kelvo 16s - %1[*]").arg(QString::fromStdString(statesIn->DocumentName())));
  }
  setWindowModified(modified);
}

QStringList Form1::RecentFiles() const { return kelvo::RecentFiles{}.List(); }

void Form1::RememberRecent(const std::string& path, bool keep) {
  kelvo::RecentFiles{}.Remember(path, keep);
  FillRecentMenu();
}

void Form1::FillRecentMenu() {
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

void Form1::Manual_Click() {
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

void Form1::About_Click() {
  if (aboutBox) return;
  setEnabled(false);
  aboutBox = new AboutBox;
  aboutBox->setWindowIcon(windowIcon());
  RememberPlace(aboutBox, QStringLiteral("about"));
  StayAbove(aboutBox, this);
  aboutBox->onClosed = [this] { setEnabled(true); };
  aboutBox->show();
}

void Form1::closeEvent(QCloseEvent* event) {
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
  if (picIns) picIns->close();
  if (printerForm) printerForm->close();
  if (statesInWindow) statesInWindow->hide();
  event->accept();
}

}  // namespace kelvo
