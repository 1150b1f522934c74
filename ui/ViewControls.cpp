#include "ui/ViewControls.h"

#include <QClipboard>
#include <QGuiApplication>
#include <cmath>

#include "ui/MainWindow.h"

namespace kelvo {
namespace {

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

void ViewControls::BuildStatusBar(QStatusBar* bar) {
  drawingNotes = new QLabel;
  drawingNotes->setObjectName(QStringLiteral("DrawingNotes"));
  bar->addWidget(drawingNotes, 1);
  zoomLevel = new QLabel(QStringLiteral("100%"));
  zoomLevel->setObjectName(QStringLiteral("ZoomLevel"));
  zoomLevel->setToolTip(QStringLiteral("Zoom (View > Zoom In, Zoom Out, Actual Size, Fit)"));
  bar->addPermanentWidget(zoomLevel);
  checkLine = new QLabel;
  bar->addPermanentWidget(checkLine);
  checkVerdict = std::make_unique<CheckVerdict>(checkLine);
}

void ViewControls::BuildButtons(QWidget* parent) {
  const std::array<QString, kViewButtons> captions{QStringLiteral("Sho&w All"), QStringLiteral("&A"),
                                                   QStringLiteral("&B"),        QStringLiteral("&C"),
                                                   QStringLiteral("&D"),        QStringLiteral("&Machine State")};
  const std::array<QRect, kViewButtons> places{
      ImageCanvas::ToPixels(11520, 9240, 1695, 375), ImageCanvas::ToPixels(11520, 8880, 855, 375),
      ImageCanvas::ToPixels(12360, 8880, 855, 375),  ImageCanvas::ToPixels(13200, 8880, 855, 375),
      ImageCanvas::ToPixels(14040, 8880, 855, 375),  ImageCanvas::ToPixels(13200, 9240, 1695, 375)};
  for (ViewButton b : kAllViewButtons) {
    auto* button = new QPushButton(captions[static_cast<int>(b)], parent);
    button->setToolTip(
        b == ViewButton::ShowAll ? QStringLiteral("All four state-variable circuits side by side")
        : b == ViewButton::MachineState
            ? QStringLiteral("The output relays' circuits")
            : QStringLiteral("The circuit of state variable %1")
                  .arg(QChar(QLatin1Char('A' + static_cast<int>(b) - static_cast<int>(ViewButton::ShowA)))));
    button->setObjectName(QString::fromUtf8(ViewButtonName(b)));
    button->setGeometry(places[static_cast<int>(b)]);
    QObject::connect(button, &QPushButton::clicked, &window_, [this, b] { ShowView(b); });
    viewButtons[static_cast<int>(b)] = button;
  }
  parallelForm = new QCheckBox(QStringLiteral("&Parallel Form"), parent);
  parallelForm->setGeometry(ImageCanvas::ToPixels(11640, 9840, 1635, 255));
  QObject::connect(parallelForm, &QCheckBox::toggled, &window_, [this](bool on) { window_.views.parallelForm = on; });
}

void ViewControls::BuildMenu(QMenuBar* bar) {
  MainWindow* w = &window_;
  menu = bar->addMenu(QStringLiteral("&View"));
  // The views in the order of their buttons, Ctrl+1 .. Ctrl+6.
  for (int i = 0; i < kViewButtons; ++i) {
    const ViewButton b = kViewMenuOrder[i];
    QAction* show =
        menu->addAction(ViewMenuCaption(b), QKeySequence(Qt::CTRL | (Qt::Key_1 + i)), w, [this, b] { ShowView(b); });
    show->setCheckable(true);
    viewActions[static_cast<int>(b)] = show;
  }
  parallelFormAction = menu->addAction(QStringLiteral("&Parallel Form"));
  parallelFormAction->setCheckable(true);
  QObject::connect(parallelFormAction, &QAction::toggled, parallelForm, &QCheckBox::setChecked);
  QObject::connect(parallelForm, &QCheckBox::toggled, parallelFormAction, &QAction::setChecked);
  menu->addSeparator();
  zoomInAction = menu->addAction(QStringLiteral("Zoom &In"), w, [this] { ZoomStep(1); });
  zoomInAction->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  zoomOutAction = menu->addAction(QStringLiteral("Zoom &Out"), w, [this] { ZoomStep(-1); });
  zoomOutAction->setShortcuts(QKeySequence::ZoomOut);
  actualSizeAction =
      menu->addAction(QStringLiteral("Actual &Size"), QKeySequence(Qt::CTRL | Qt::Key_0), w, [this] { SetZoom(1.0); });
  fitAction = menu->addAction(QStringLiteral("&Fit"), QKeySequence(Qt::CTRL | Qt::Key_9), w, [this] { ZoomToFit(); });
  menu->addSeparator();
  // Ctrl+C copies the picture when the canvas has the focus; the text box
  // keeps its own Ctrl+C.
  copyPictureAction = menu->addAction(QStringLiteral("Cop&y Picture"), w, [this] { CopyPicture(); });
  copyPictureAction->setShortcut(QKeySequence::Copy);
  copyPictureAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  window_.canvasScroll->addAction(copyPictureAction);
}

void ViewControls::ShowView(ViewButton button) {
  window_.views.Show(button);
  Sync();
  window_.machineWindows.ViewChanged();
}

void ViewControls::Sync() {
  const CircuitViews& views = window_.views;
  for (ViewButton b : kAllViewButtons) {
    QPushButton* button = viewButtons[static_cast<int>(b)];
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
  CanvasView* canvasView = window_.canvasView;
  canvasView->FitToCanvas();
  QString note = QString::fromStdString(views.EmptyView());
  // An empty start says what to do first.
  const EntryForm* form = window_.entryForm;
  if (note.isEmpty() && !views.HasCircuit() && form && form->documentPath().empty() && !form->Modified() &&
      !window_.session.document.HasHandEdits()) {
    note = QStringLiteral("Open a table (F2) or start a new one (Ctrl+N)");
  }
  canvasView->SetNote(note);
  SyncStatus();
  canvasView->update();
}

void ViewControls::SyncStatus() {
  const Session& session = window_.session;
  const CircuitViews& views = session.views;
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
  drawingNotes->setText(text);
  drawingNotes->setToolTip(all.join(QLatin1Char('\n')));
}

void ViewControls::ZoomStep(int steps) {
  static constexpr std::array<double, 9> kZooms{0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0, 6.0};
  const double now = window_.canvasView->Zoom();
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

void ViewControls::SetZoom(double zoom) {
  CanvasView* canvasView = window_.canvasView;
  if (!canvasView->SetZoom(zoom)) window_.Dialogs().Notify(canvasView->TooLarge(zoom));
  zoomLevel->setText(QStringLiteral("%1%").arg(std::lround(canvasView->Zoom() * 100)));
}

void ViewControls::ZoomToFit() {
  const QSize room = window_.canvasScroll->viewport()->size();
  const QSize picture = window_.canvas.Image().size();
  SetZoom(std::min(double(room.width()) / picture.width(), double(room.height()) / picture.height()));
}

void ViewControls::CopyPicture() {
  const ImageCanvas& canvas = window_.canvas;
  QGuiApplication::clipboard()->setImage(canvas.Image().copy(DrawnArea(canvas.Record())));
}

}  // namespace kelvo
