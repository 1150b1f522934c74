#include "ui/EquationWindow.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ui/WindowKeys.h"

namespace kelvo {

EquationWindow::EquationWindow(QWidget* parent) : QWidget(parent, Qt::Dialog) {
  setWindowTitle(QStringLiteral("Equation Handler"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  CloseOnEscape(this);
  auto* frame = new QGroupBox(QStringLiteral("State Functions"));
  auto* grid = new QGridLayout(frame);
  const auto makeLabel = [](const QString& text) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
  };
  int row = 0;
  for (int x = 0; x < kStateVariables; ++x) {
    const QChar letter(QLatin1Char(static_cast<char>('A' + x)));
    grid->addWidget(new QLabel(QStringLiteral("On %1  =").arg(letter)), row, 0);
    grid->addWidget(onLabels[x] = makeLabel(QStringLiteral("-")), row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Off %1  =").arg(letter)), row, 2);
    grid->addWidget(offLabels[x] = makeLabel(QStringLiteral("-")), row, 3);
    ++row;
    grid->addWidget(functionLabels[x] = makeLabel(QString(x == 3 ? 131 : 130, QLatin1Char('-'))), row++, 0, 1, 4);
    grid->addWidget(finalLabels[x] = makeLabel(QString(130, QLatin1Char('-'))), row++, 0, 1, 4);
    grid->setRowMinimumHeight(row++, 8);
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  auto* scroll = new QScrollArea;
  scroll->setWidget(frame);
  scroll->setWidgetResizable(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scroll);
  copyAllButton = new QPushButton(QStringLiteral("&Copy All"));
  connect(copyAllButton, &QPushButton::clicked, this,
          [this] { QGuiApplication::clipboard()->setText(QString::fromStdString(EquationRowsText(texts_))); });
  layout->addWidget(copyAllButton, 0, Qt::AlignRight);
  resize(900, 420);
}

void EquationWindow::ShowTexts(const EquationViewTexts& texts) {
  texts_ = texts;
  for (int x = 0; x < kStateVariables; ++x) {
    onLabels[x]->setText(QString::fromStdString(texts.On[x]));
    offLabels[x]->setText(QString::fromStdString(texts.Off[x]));
    functionLabels[x]->setText(QString::fromStdString(texts.Func[x]));
    finalLabels[x]->setText(QString::fromStdString(texts.Final[x]));
  }
}

}  // namespace kelvo
