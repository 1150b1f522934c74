#include "ui/ComponentPicker.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPixmap>

#include "output/ImageCanvas.h"
#include "ui/WindowKeys.h"

namespace kelvo {
ComponentPicker::ComponentPicker(const TileImages& tiles) : QWidget(nullptr, Qt::Dialog), images_(tiles.Images()) {
  setWindowTitle(QStringLiteral("Add Component"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(ImageCanvas::ToPixels(0, 0, 3540, 1605).size());
  PicsCh = new QComboBox(this);
  PicsCh->setEditable(true);
  PicsCh->setInsertPolicy(QComboBox::NoInsert);
  PicsCh->setGeometry(ImageCanvas::ToPixels(240, 240, 2055, 360));
  for (const char* entry : kEntries) PicsCh->addItem(QString::fromUtf8(entry));
  Picture1 = new QLabel(this);
  Picture1->setGeometry(ImageCanvas::ToPixels(3000, 240, 375, 375));
  InsOK = new QPushButton(QStringLiteral("&OK"), this);
  InsOK->setGeometry(ImageCanvas::ToPixels(2400, 960, 975, 375));
  InsOK->setDefault(true);
  PressOnEnter(this, InsOK);
  InsCancel = new QPushButton(QStringLiteral("&Cancel"), this);
  InsCancel->setGeometry(ImageCanvas::ToPixels(1320, 960, 975, 375));
  connect(InsCancel, &QPushButton::clicked, this, &QWidget::close);
  CloseOnEscape(this);
  PicsCh->setCurrentIndex(0);
  ShowPreview(0);
  connect(PicsCh, &QComboBox::currentIndexChanged, this, [this](int index) { ShowPreview(index); });
  connect(InsOK, &QPushButton::clicked, this, &ComponentPicker::InsOK_Click);
}

void ComponentPicker::ShowPreview(int slot) {
  if (slot >= 0 && slot < kTileCount) Picture1->setPixmap(QPixmap::fromImage(images_[slot]));
}

int ComponentPicker::SelectedSlot() const {
  const QString text = PicsCh->currentText().trimmed();
  for (int slot = 0; slot < kTileCount; ++slot) {
    if (text.compare(QString::fromUtf8(kEntries[slot]), Qt::CaseInsensitive) == 0) return slot;
  }
  return -1;
}

void ComponentPicker::InsOK_Click() {
  const int slot = SelectedSlot();
  if (slot < 0) {  // a typed text that names no component
    QApplication::beep();
    return;
  }
  if (onOk) onOk(slot);
  closingByProgram_ = true;
  close();
}

void ComponentPicker::closeEvent(QCloseEvent* event) {
  if (onClosed) onClosed(!closingByProgram_);
  event->accept();
}

}  // namespace kelvo
