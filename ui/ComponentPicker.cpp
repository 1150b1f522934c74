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
  componentList = new QComboBox(this);
  componentList->setEditable(true);
  componentList->setInsertPolicy(QComboBox::NoInsert);
  componentList->setGeometry(ImageCanvas::ToPixels(240, 240, 2055, 360));
  for (const char* entry : kEntries) componentList->addItem(QString::fromUtf8(entry));
  preview = new QLabel(this);
  preview->setGeometry(ImageCanvas::ToPixels(3000, 240, 375, 375));
  okButton = new QPushButton(QStringLiteral("&OK"), this);
  okButton->setGeometry(ImageCanvas::ToPixels(2400, 960, 975, 375));
  okButton->setDefault(true);
  PressOnEnter(this, okButton);
  cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
  cancelButton->setGeometry(ImageCanvas::ToPixels(1320, 960, 975, 375));
  connect(cancelButton, &QPushButton::clicked, this, &QWidget::close);
  CloseOnEscape(this);
  componentList->setCurrentIndex(0);
  ShowPreview(0);
  connect(componentList, &QComboBox::currentIndexChanged, this, [this](int index) { ShowPreview(index); });
  connect(okButton, &QPushButton::clicked, this, &ComponentPicker::Accept);
}

void ComponentPicker::ShowPreview(int slot) {
  if (slot >= 0 && slot < kTileCount) preview->setPixmap(QPixmap::fromImage(images_[slot]));
}

int ComponentPicker::SelectedSlot() const {
  const QString text = componentList->currentText().trimmed();
  for (int slot = 0; slot < kTileCount; ++slot) {
    if (text.compare(QString::fromUtf8(kEntries[slot]), Qt::CaseInsensitive) == 0) return slot;
  }
  return -1;
}

void ComponentPicker::Accept() {
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
