#pragma once
// "Kelvo 16s Manual": the manual shipped with the program (Markdown with
// pictures made by the program itself), found beside the program or in the
// installed data folder, shown in a browser window with its own links.

#include <QString>
#include <QStringList>
#include <QTextBrowser>
#include <QWidget>

namespace kelvo {

class ManualWindow : public QWidget {
  Q_OBJECT
public:
  explicit ManualWindow(const QStringList& folders = DefaultFolders());

  // "manual" beside the program, then the installed share/kelvo16s/manual.
  static QStringList DefaultFolders();
  // The same two folders for a program in `programFolder`.
  static QStringList DefaultFolders(const QString& programFolder);
  // The manual's file in the first folder that has it; empty when none does.
  static QString Find(const QStringList& folders);

  QTextBrowser* browser{};
};

}  // namespace kelvo
