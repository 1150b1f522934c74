#include "ui/Form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include "ui/Icons.h"

namespace kelvo {
namespace {

// Window geometry is given in twips, as the drawing is; ImageCanvas converts.
constexpr int kClientWidth = 15210;
constexpr int kClientHeight = 10320;

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
  session.onEquationView = [this](const EquationViewTexts& texts) { ShowEquationView(texts); };
  session.beforeDrawing = [this] { HandOverCircuit(); };
  session.afterDrawing = [this] { CircuitDrawn(); };
  // A table that could not be drawn leaves no circuit behind to view or check.
  session.afterWithdrawing = [this] {
    ToolsCheck->setEnabled(false);
    SyncViewButtons();
  };
  setWindowTitle(QStringLiteral("Kelvo 16s"));
  setWindowIcon(ProgramIcon());
  BuildControls();
  BuildMenus();
  SyncViewButtons();
  SyncTools();
}

Form1::~Form1() {
  // The entry form's logic calls back into this window; stop that first.
  if (statesIn) statesIn->onRepaint = nullptr;
}

void Form1::BuildControls() {
  auto* client = new QWidget;
  client->setFixedSize(ImageCanvas::ToPixels(0, 0, kClientWidth, kClientHeight).size());
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(10);
  client->setFont(font);
  setCentralWidget(client);

  CanvasScroll = new QScrollArea(client);
  CanvasScroll->setFrameShape(QFrame::NoFrame);
  CanvasScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Room for the vertical scroll bar beside the canvas, which it never covers.
  QRect canvasPlace = ImageCanvas::ToPixels(240, 120, kCanvasWidthTwips, kCanvasHeightTwips);
  canvasPlace.setWidth(canvasPlace.width() + CanvasScroll->verticalScrollBar()->sizeHint().width());
  CanvasScroll->setGeometry(canvasPlace);
  Picture1 = new CanvasView(canvas);
  CanvasScroll->setWidget(Picture1);
  DrawingNotes = new QLabel;
  DrawingNotes->setObjectName(QStringLiteral("DrawingNotes"));
  statusBar()->addWidget(DrawingNotes, 1);
  Picture1->screenImage = [this] { return editor.ScreenImage(); };
  Picture1->onMove = [this](bool left, double x, double y) { editor.Picture1_MouseMove(left, x, y); };
  Picture1->onRelease = [this](bool left, double x, double y) {
    editor.Picture1_MouseUp(left, x, y);
    editor.Picture1_Click();
  };
  Picture1->onLeave = [this] { editor.LeaveCanvas(); };
  editor.onChanged = [this] { SyncTools(); };

  BuildToolsFrame(client);

  const std::array<QString, kViewButtons> captions{QStringLiteral("Show All"), QStringLiteral("A"),
                                                   QStringLiteral("B"),        QStringLiteral("C"),
                                                   QStringLiteral("D"),        QStringLiteral("Machine State")};
  const std::array<QRect, kViewButtons> places{
      ImageCanvas::ToPixels(11520, 9240, 1695, 375), ImageCanvas::ToPixels(11520, 8880, 855, 375),
      ImageCanvas::ToPixels(12360, 8880, 855, 375),  ImageCanvas::ToPixels(13200, 8880, 855, 375),
      ImageCanvas::ToPixels(14040, 8880, 855, 375),  ImageCanvas::ToPixels(13200, 9240, 1695, 375)};
  for (ViewButton b : kAllViewButtons) {
    auto* button = new QPushButton(captions[static_cast<int>(b)], client);
    button->setObjectName(QString::fromUtf8(ViewButtonName(b)));
    button->setGeometry(places[static_cast<int>(b)]);
    connect(button, &QPushButton::clicked, this, [this, b] { ShowView(b); });
    viewButtons[static_cast<int>(b)] = button;
  }
  ParForm = new QCheckBox(QStringLiteral("Parallel Form"), client);
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

  auto* textLabel = new QLabel(QStringLiteral("Enter text to insert:"));
  PicText = new QLineEdit;
  textLabel->setBuddy(PicText);
  InsText = new QPushButton(QStringLiteral("Insert"));
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
    swatch->setStyleSheet(
        QStringLiteral("background: rgb(%1,%2,%3); border: 1px solid gray;").arg(c.r).arg(c.g).arg(c.b));
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
  RubberOn = new QCheckBox(QStringLiteral("Rubber Mode"));
  AddCirc = new QPushButton(QStringLiteral("Add Component"));
  bottom->addWidget(RubberOn);
  bottom->addWidget(AddCirc);

  connect(AddCirc, &QPushButton::clicked, this, &Form1::AddCirc_Click);
  connect(RubberOn, &QCheckBox::clicked, this, [this](bool ticked) { editor.RubberOn_Click(ticked); });
  connect(InsText, &QPushButton::clicked, this, &Form1::InsText_Click);
}

void Form1::BuildMenus() {
  FileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  FileOpen =
      FileMenu->addAction(QStringLiteral("Open State Diagram"), QKeySequence(Qt::Key_F2), this, &Form1::FileOpen_Click);
  FileSave =
      FileMenu->addAction(QStringLiteral("Save State Diagram"), QKeySequence(Qt::Key_F3), this, &Form1::FileSave_Click);
  QMenu* picture = FileMenu->addMenu(QStringLiteral("Circuit"));
  FileImport =
      picture->addAction(QStringLiteral("Import"), QKeySequence(Qt::Key_F4), this, [this] { files.InpCom_Click(); });
  FileExtract =
      picture->addAction(QStringLiteral("Export"), QKeySequence(Qt::Key_F5), this, [this] { files.ExtrCom_Click(); });
  FileMenu->addSeparator();
  FilePrint = FileMenu->addAction(QStringLiteral("Print Circuit"), QKeySequence(Qt::CTRL | Qt::Key_P), this,
                                  &Form1::FilePrint_Click);
  FileMenu->addSeparator();
  FileExit =
      FileMenu->addAction(QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::Key_Q), this, &Form1::FileExit_Click);

  DataFormMenu = menuBar()->addMenu(QStringLiteral("&State Diagram"));
  DataForm =
      DataFormMenu->addAction(QStringLiteral("Form"), QKeySequence(Qt::CTRL | Qt::Key_F), this, &Form1::DataForm_Click);
  DataFormNew = DataFormMenu->addAction(QStringLiteral("New Form"), QKeySequence(Qt::CTRL | Qt::Key_N), this,
                                        &Form1::DataFormNew_Click);

  ToolsMenu = menuBar()->addMenu(QStringLiteral("&Tools"));
  ToolsAddText =
      ToolsMenu->addAction(QStringLiteral("Add Text"), QKeySequence(Qt::CTRL | Qt::Key_T), this, &Form1::InsText_Click);
  ToolsCheck = ToolsMenu->addAction(QStringLiteral("Check Circuit"), QKeySequence(Qt::CTRL | Qt::Key_K), this,
                                    &Form1::ToolsCheck_Click);
  ToolsCheck->setEnabled(false);

  AboutForm = menuBar()->addMenu(QStringLiteral("&About"));
  About = AboutForm->addAction(QStringLiteral("About Kelvo 16s"), QKeySequence(Qt::Key_F1), this, &Form1::About_Click);
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

  DataFormNew->setEnabled(false);
  views.ChangesDetected = false;
  f2count = 0;
  editor.CircAdd = false;
  editor.AddNo = -1;
  SyncViewButtons();

  statesIn = &session.form;
  return true;
}

StatesInWindow& Form1::EntryWindow() {
  // The form's widgets are made when it is first shown; its table and logic
  // exist from start-up on.
  if (!statesInWindow) {
    statesInWindow = std::make_unique<StatesInWindow>(*statesIn, dialogs_);
    statesInWindow->setWindowIcon(windowIcon());
    statesInWindow->onLeave = [this] { LeaveStatesIn(); };
  }
  return *statesInWindow;
}

void Form1::SyncViewButtons() {
  for (ViewButton b : kAllViewButtons) {
    QPushButton* button = ViewButtonWidget(b);
    button->setEnabled(views.Enabled(b));
    QFont font = button->font();
    font.setUnderline(views.Current() == b);
    button->setFont(font);
  }
  // A tall drawing makes the picture taller; the scroll area shows the rest.
  if (Picture1->size() != canvas.Image().size()) Picture1->setFixedSize(canvas.Image().size());
  const auto notes = views.DrawingNotes();
  QString text = notes.empty() ? QString() : QString::fromStdString(notes.front());
  if (notes.size() > 1) {
    text = QStringLiteral("%1 notes on this drawing (all in Tools > Check Circuit): ").arg(notes.size()) + text;
  }
  QStringList all;
  for (const auto& note : notes) all << QString::fromStdString(note);
  DrawingNotes->setText(text);
  DrawingNotes->setToolTip(all.join(QLatin1Char('\n')));
  Picture1->update();
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

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (int i = 0; i < kPaletteSize; ++i) {
      if (watched == ColorFr[i]) editor.ColorFr_Click(i);
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void Form1::AddCirc_Click() {
  if (!editor.AddCirc_Click() || picIns) return;
  setEnabled(false);
  picIns = new PicIns(tiles);
  picIns->setWindowIcon(windowIcon());
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
  printerForm->onViewDrawn = [this] { SyncViewButtons(); };
  printerForm->onClosed = [this] { setEnabled(true); };
  setEnabled(false);
  printerForm->show();
}

void Form1::InsText_Click() { editor.InsText_Click(PicText->text().toStdString()); }

void Form1::ShowView(ViewButton button) {
  views.Show(button);
  SyncViewButtons();
}

void Form1::ShowEquationView(const EquationViewTexts& texts) {
  if (!eqView) {
    eqView = std::make_unique<EqView>();
    eqView->setWindowIcon(windowIcon());
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
}

void Form1::ToolsCheck_Click() {
  if (!statesIn || !ToolsCheck->isEnabled() || !views.HasCircuit()) return;
  if (checkReport) checkReport->close();
  checkReport = new CheckReportWindow(CheckCircuit(statesIn->diagram, equations, grid, views.ParForm),
                                      views.DrawingNotes(), this);
  checkReport->setWindowIcon(windowIcon());
  checkReport->show();
}

void Form1::LeaveStatesIn() {
  setEnabled(true);
  DataFormMenu->menuAction()->setEnabled(true);
}

void Form1::DataForm_Click() {
  if (!statesIn) return;
  DataFormMenu->menuAction()->setEnabled(false);
  setEnabled(false);
  EntryWindow().ShowForm();
  DataFormNew->setEnabled(true);
}

void Form1::DataFormNew_Click() {
  if (!statesIn) return;
  f2count = 0;
  setEnabled(false);
  EntryWindow().ShowForm();
  statesIn->ClearForm();
  session.CircuitNotDrawn();  // the new table has no circuit yet
}

void Form1::FileOpen_Click() {
  if (!statesIn) return;
  if (statesInWindow) statesInWindow->EnsureCreated();
  if (!statesIn->LoadStates_Click()) return;  // cancelled or failed: the table is as it was
  DataFormNew->setEnabled(true);
  statesIn->CircExt_Click();
}

void Form1::FileSave_Click() {
  if (!statesIn) return;
  if (statesInWindow) statesInWindow->EnsureCreated();
  statesIn->SaveStates_Click();
}

void Form1::FileExit_Click() {
  if (!dialogs_.AskYesNo("Are you sure, you want to quit?", "Confirm", Answer::Yes)) return;
  quitConfirmed_ = true;
  close();
}

void Form1::About_Click() {
  if (aboutBox) return;
  setEnabled(false);
  aboutBox = new AboutBox;
  aboutBox->setWindowIcon(windowIcon());
  aboutBox->onClosed = [this] { setEnabled(true); };
  aboutBox->show();
}

void Form1::closeEvent(QCloseEvent* event) {
  // Only a close the user asked for (title bar) is confirmed; "Exit" asked already.
  if (event->spontaneous() && !quitConfirmed_ &&
      !dialogs_.AskYesNo("Are you sure, you want to quit?", "Confirm", Answer::Yes)) {
    event->ignore();
    return;
  }
  quitConfirmed_ = false;
  eqView.reset();
  if (aboutBox) aboutBox->close();
  if (picIns) picIns->close();
  if (printerForm) printerForm->close();
  if (statesInWindow) statesInWindow->hide();
  event->accept();
}

}  // namespace kelvo
