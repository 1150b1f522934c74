#include <QApplication>

#include "common/SafeFiles.h"
#include "ui/Form1.h"
#include "ui/QtUserDialogs.h"

int main(int argc, char** argv) {
  kelvo::IgnoreFileSizeSignal();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kelvo 16s"));
  kelvo::QtUserDialogs dialogs;
  kelvo::Form1 window(dialogs);
  dialogs.SetParent(&window);
  if (!window.StartUp()) return 1;
  window.show();
  return QApplication::exec();
}
