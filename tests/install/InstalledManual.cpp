// The manual of an installed program: found where the program in PREFIX/bin
// looks for it, shown in its window with every picture loaded.
// Usage: kelvo16s_installed_manual PREFIX. Exit status 0 when all is well.

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>

#include "support/ManualImages.h"
#include "ui/ManualWindow.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTextStream err(stderr);
  if (argc != 2) {
    err << "Usage: kelvo16s_installed_manual PREFIX\n";
    return 2;
  }
  const QString bin = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/bin");
  if (!QFileInfo(bin + QStringLiteral("/kelvo16s")).isExecutable()) {
    err << "FAIL: no program installed in " << bin << "\n";
    return 1;
  }
  const QStringList folders = kelvo::ManualWindow::DefaultFolders(bin);
  const QString manual = kelvo::ManualWindow::Find(folders);
  if (manual.isEmpty()) {
    err << "FAIL: no manual in " << folders.join(QStringLiteral(" or ")) << "\n";
    return 1;
  }
  kelvo::ManualWindow window(folders);
  const QTextDocument& document = *window.browser->document();
  const QStringList images = kelvo::testing::ImageNames(document);
  const QStringList missing = kelvo::testing::UnloadedImages(document);
  if (images.isEmpty() || !missing.isEmpty()) {
    err << "FAIL: " << manual << " shows " << images.size()
        << " pictures; not loaded: " << missing.join(QStringLiteral(", ")) << "\n";
    return 1;
  }
  QTextStream(stdout) << manual << ": " << images.size() << " pictures, all loaded\n";
  return 0;
}
