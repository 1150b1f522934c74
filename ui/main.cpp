#include <QApplication>

#include "ui/Form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kelvo 16s"));
  kelvo::Form1 window;
  window.show();
  return QApplication::exec();
}
