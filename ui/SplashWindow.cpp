#include "ui/SplashWindow.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFrame>

namespace kelvo {
namespace {

constexpr int kRowLeft = 11, kRowWidth = 458;  // inside the frame and its margins

}  // namespace

SplashWindow::SplashWindow() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setFixedSize(480, 300);
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::Box);
  frame->setLineWidth(2);
  frame->setGeometry(rect());
  // Arial where it is installed, else the desktop's usual font: a stand-in
  // that fontconfig would offer for Arial (Nimbus Sans on Debian) comes in
  // Type 1 files, which take longer to load than the rest of start-up's text.
  QFont arial = QApplication::font();
  if (QFontDatabase::hasFamily(QStringLiteral("Arial"))) arial.setFamily(QStringLiteral("Arial"));
  // Rows at fixed places down the frame: laying them out would measure every
  // text before the window first shows.
  const auto label = [&](const QString& text, int top, int height, int size, bool bold = false) {
    auto* l = new QLabel(text, frame);
    QFont f = arial;
    f.setPointSize(size);
    f.setBold(bold);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    l->setGeometry(kRowLeft, top, kRowWidth, height);
    return l;
  };
  label(QStringLiteral("Kelvo 16s"), 11, 44, 28, true);
  label(QStringLiteral("Relay ladder circuits for sequential machines of up to 16 states"), 61, 39, 10);
  auto* line = new QFrame(frame);
  line->setFrameShape(QFrame::HLine);
  line->setGeometry(kRowLeft, 106, kRowWidth, 3);
  label(QStringLiteral("Version 1.0"), 115, 39, 10);
  label(QStringLiteral("16s"), 160, 39, 14, true);
  label(QStringLiteral("Please Wait ..."), 205, 39, 10);
  LoadLabel = label(QStringLiteral("..."), 250, 39, 9);
  captionsShown << LoadLabel->text();
}

void SplashWindow::SetLoadCaption(const QString& caption) {
  LoadLabel->setText(caption);
  captionsShown << caption;
}

void SplashWindow::keyPressEvent(QKeyEvent*) { QApplication::beep(); }
void SplashWindow::mousePressEvent(QMouseEvent*) { QApplication::beep(); }

}  // namespace kelvo
