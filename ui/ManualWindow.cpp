#include "ui/ManualWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/WindowKeys.h"

namespace kelvo {
namespace {

constexpr const char* kManualFile = "manual.md";

}  // namespace

QStringList ManualWindow::DefaultFolders() { return DefaultFolders(QCoreApplication::applicationDirPath()); }

QStringList ManualWindow::DefaultFolders(const QString& programFolder) {
  const QDir programDir(programFolder);
  return {QDir::cleanPath(programDir.filePath(QStringLiteral("manual"))),
          QDir::cleanPath(programDir.filePath(QStringLiteral("../share/kelvo16s/manual")))};
}

QString ManualWindow::Find(const QStringList& folders) {
  for (const QString& folder : folders) {
    const QString path = QDir(folder).filePath(QString::fromLatin1(kManualFile));
    if (QFileInfo(path).isFile()) return path;
  }
  return {};
}

ManualWindow::ManualWindow(const QStringList& folders) : QWidget(nullptr, Qt::Window) {
  setWindowTitle(QStringLiteral("Kelvo 16s Manual"));
  resize(760, 640);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  browser = new QTextBrowser(this);
  browser->setOpenExternalLinks(true);
  layout->addWidget(browser);
  const QString path = Find(folders);
  if (path.isEmpty()) {
    browser->setPlainText(QStringLiteral("The manual was not found. It is installed with the program in %1.")
                              .arg(folders.join(QStringLiteral(" or "))));
  } else {
    browser->setSearchPaths({QFileInfo(path).absolutePath()});
    browser->setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
  }
  CloseOnEscape(this);
}

}  // namespace kelvo
