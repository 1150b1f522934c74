#include "ui/AboutBox.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/WindowKeys.h"

namespace kelvo {

AboutBox::AboutBox() : QWidget(nullptr, Qt::Dialog) {
  setWindowTitle(QStringLiteral("About Kelvo 16s"));
  setAttribute(Qt::WA_DeleteOnClose);
  CloseOnEscape(this);
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(QStringLiteral("Kelvo 16s"));
  QFont big = title->font();
  big.setPointSize(big.pointSize() + 8);
  big.setBold(true);
  title->setFont(big);
  layout->addWidget(title, 0, Qt::AlignCenter);
  for (const char* text :
       {"Version 1.0", "16states", "12.08.2003", "2003",
        "A teaching tool for relay ladder circuits of sequential machines.", "By the Kelvo 16s developers."}) {
    layout->addWidget(new QLabel(QString::fromUtf8(text)), 0, Qt::AlignCenter);
  }
  okButton = new QPushButton(QStringLiteral("---------- OK ----------"));
  okButton->setDefault(true);
  PressOnEnter(this, okButton);
  layout->addWidget(okButton, 0, Qt::AlignCenter);
  connect(okButton, &QPushButton::clicked, this, &QWidget::close);
}

void AboutBox::closeEvent(QCloseEvent* event) {
  if (onClosed) onClosed();
  event->accept();
}

}  // namespace kelvo
