#include "ui/DiagramWindow.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "common/PictureBounds.h"
#include "output/CircuitFiles.h"
#include "ui/QtPagePrinter.h"
#include "ui/WindowKeys.h"

namespace kelvo {

void DiagramView::SetLayout(DiagramLayout layout) {
  layout_ = std::move(layout);
  if (!SetZoom(zoom_)) SetZoom(1.0);
}

bool DiagramView::SetZoom(double zoom) {
  zoom = std::clamp(zoom, 0.25, 6.0);
  const QSize size = DiagramPictureSize(layout_);
  const double width = std::ceil(size.width() * zoom), height = std::ceil(size.height() * zoom);
  if (!PictureFits(width, height)) return false;
  zoom_ = zoom;
  setFixedSize(static_cast<int>(width), static_cast<int>(height));
  update();
  return true;
}

std::string DiagramView::TooLarge(double zoom) const {
  const QSize size = DiagramPictureSize(layout_);
  return PictureTooLarge(size.width() * zoom, size.height() * zoom);
}

void DiagramView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.scale(zoom_, zoom_);
  PaintDiagram(p, layout_, highlight);
}

const DiagramNode* DiagramView::NodeUnder(QPointF position) const {
  const DiagramPoint at = DiagramPointAt(position.x() / zoom_, position.y() / zoom_);
  return layout_.NodeAt(at.x, at.y);
}

void DiagramView::mouseMoveEvent(QMouseEvent* event) {
  setCursor(NodeUnder(event->position()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void DiagramView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (const DiagramNode* node = NodeUnder(event->position()); node && onStateClicked) onStateClicked(node->state);
}

void DiagramView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier) || !onZoomStep) {
    event->ignore();
    return;
  }
  if (event->angleDelta().y() != 0) onZoomStep(event->angleDelta().y() > 0 ? 1 : -1);
  event->accept();
}

DiagramWindow::DiagramWindow(UserDialogs& dialogs) : QWidget(nullptr, Qt::Dialog), dialogs_(dialogs) {
  setWindowTitle(QStringLiteral("State Diagram"));
  CloseOnEscape(this);
  view = new DiagramView;
  view->onZoomStep = [this](int steps) { ZoomStep(steps); };
  auto* scroll = new QScrollArea;
  scroll->setWidget(view);
  scroll->setAlignment(Qt::AlignCenter);
  scroll->setBackgroundRole(QPalette::Base);
  statusLabel = new QLabel;
  statusLabel->setWordWrap(true);
  zoomOutButton = new QPushButton(QStringLiteral("Zoom &Out"));
  zoomInButton = new QPushButton(QStringLiteral("Zoom &In"));
  exportButton = new QPushButton(QStringLiteral("&Export As..."));
  copyButton = new QPushButton(QStringLiteral("&Copy"));
  printButton = new QPushButton(QStringLiteral("&Print..."));
  zoomInButton->setShortcut(QKeySequence::ZoomIn);
  zoomOutButton->setShortcut(QKeySequence::ZoomOut);
  exportButton->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
  copyButton->setShortcut(QKeySequence::Copy);
  printButton->setShortcut(QKeySequence::Print);
  connect(zoomOutButton, &QPushButton::clicked, this, [this] { ZoomStep(-1); });
  connect(zoomInButton, &QPushButton::clicked, this, [this] { ZoomStep(1); });
  connect(exportButton, &QPushButton::clicked, this, &DiagramWindow::ExportAs);
  connect(copyButton, &QPushButton::clicked, this, &DiagramWindow::Copy);
  connect(printButton, &QPushButton::clicked, this, &DiagramWindow::Print);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(statusLabel, 1);
  for (auto* b : {zoomOutButton, zoomInButton, exportButton, copyButton, printButton}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scroll, 1);
  layout->addLayout(buttons);
  resize(900, 500);
}

void DiagramWindow::ShowTable(const StateDiagram& diagram) {
  DiagramLayout layout = LayOutDiagram(diagram);
  if (const QSize size = DiagramPictureSize(layout); !PictureFits(size.width(), size.height())) {
    layout = DiagramLayout{};
    layout.error = PictureTooLarge(size.width(), size.height());
  }
  if (!layout.error.empty()) {
    statusLabel->setText(QString::fromStdString(layout.error));
    if (isVisible()) dialogs_.Notify(layout.error, "State Diagram");
  } else if (layout.nodes.empty()) {
    statusLabel->setText(QStringLiteral("The table has no transitions yet."));
  } else {
    statusLabel->setText(QStringLiteral("Click a state to open it in the form."));
  }
  view->SetLayout(std::move(layout));
}

void DiagramWindow::ZoomStep(int steps) {
  const double zoom = view->Zoom() * (steps > 0 ? 1.25 : 0.8);
  if (!view->SetZoom(zoom)) statusLabel->setText(QString::fromStdString(view->TooLarge(zoom)));
}

void DiagramWindow::ExportAs() {
  const auto path = dialogs_.AskSaveFileName(ExportAsDialogOptions(QFile::encodeName(suggestedName).toStdString()));
  if (!path) return;
  const DiagramLayout& layout = view->Layout();
  if (const auto saved =
          SaveDrawing(*path, DiagramPictureSize(layout), [&layout](QPainter& p) { PaintDiagram(p, layout); });
      !saved) {
    dialogs_.Notify("Unknown Error while creating file " + *path + "\n" + saved.why());
  }
}

void DiagramWindow::Copy() {
  const DiagramLayout& layout = view->Layout();
  QImage image(DiagramPictureSize(layout), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter p(&image);
    PaintDiagram(p, layout);
  }
  QGuiApplication::clipboard()->setImage(image);
}

void DiagramWindow::Print() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (!QtPagePrinter::ChooseOutput(*printer_, dialogs_)) return;
  printer_->setPageOrientation(QPageLayout::Landscape);
  QPainter p;
  if (!p.begin(printer_.get())) {
    dialogs_.Notify("The printer could not be started.", "Printer");
    return;
  }
  // The diagram fills the printable area, keeping its proportions.
  const QRectF area(QPointF(0, 0), printer_->pageLayout().paintRectPixels(printer_->resolution()).size());
  const QSize size = DiagramPictureSize(view->Layout());
  const double scale = std::min(area.width() / size.width(), area.height() / size.height());
  p.scale(scale, scale);
  PaintDiagram(p, view->Layout());
  p.end();
}

}  // namespace kelvo
