#include "ui/SplashWindow.h"

#include <QApplication>
#include <QFrame>
#include <QVBoxLayout>

namespace kelvo {

SplashWindow::SplashWindow() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  auto* frame = new QFrame;
  frame->setFrameShape(QFrame::Box);
  frame->setLineWidth(2);
  auto* layout = new QVBoxLayout(frame);
  QFont arial(QStringLiteral("Arial"));
  const auto label = [&](const QString& text, int size, bool bold = false) {
    auto* l = new QLabel(text);
    QFont f = arial;
    f.setPointSize(size);
    f.setBold(bold);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    layout->addWidget(l);
    return l;
  };
  label(QStringLiteral("Kelvo 16s"), 28, true);
  label(QStringLiteral("Relay ladder circuits for sequential machines of up to 16 states"), 10);
  auto* line = new QFrame;
  line->setFrameShape(QFrame::HLine);
  layout->addWidget(line);
  label(QStringLiteral("Version 1.0"), 10);
  label(QStringLiteral("16s"), 14, true);
  label(QStringLiteral("Please Wait ..."), 10);
  LoadLabel = label(QStringLiteral("..."), 9);
  captionsShown << LoadLabel->text();
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(frame);
  setFixedSize(480, 300);
}

void SplashWindow::SetLoadCaption(const QString& caption) {
  LoadLabel->setText(caption);
  captionsShown << caption;
}

void SplashWindow::keyPressEvent(QKeyEvent*) { QApplication::beep(); }
void SplashWindow::mousePressEvent(QMouseEvent*) { QApplication::beep(); }

}  // namespace kelvo
