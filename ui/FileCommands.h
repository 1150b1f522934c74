#pragma once
// The main window's File menu: open, save and save as of the table, the
// recent files, the picture's import and export, printing, the PLC export
// and the class report, and the questions before a table is replaced or the
// program ends. The entry form's logic and the session run the flows; this
// controller maps the menu onto them and keeps the window's title and the
// recent files in step.

#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

#include "ui/PrinterForm.h"

namespace kelvo {

class MainWindow;

class FileCommands {
public:
  explicit FileCommands(MainWindow& window) : window_(window) {}

  // The File menu, the first of the menu bar.
  void BuildMenu(QMenuBar* bar);

  // "Open State Diagram": a table chosen in the file dialog.
  void OpenWithDialog();
  void OpenFile(const std::string& path);
  void OpenFile(const QString& path);
  // "Save": to the table's own file, or through the dialog for a new table.
  void Save();
  // "Save As..." and "Save State Diagram".
  void SaveAs();
  // "Print Circuit": the print window.
  void Print();
  // "Exit": asks what would be lost, then closes the window.
  void Quit();
  // Before the program ends: false when cancelled.
  bool ConfirmQuit();
  // Before Open and New Form: hand edits not exported, then a changed table.
  bool MayReplaceDocument();

  // The last files opened or saved, newest first, kept across runs.
  QStringList RecentFiles() const;
  void RememberRecent(const std::string& path, bool keep);
  // "traffic-light" for traffic-light.sfi.
  QString DocumentStem() const;
  // `name` in the folder of the table's file, when it has one.
  std::string BesideDocument(const QString& name) const;

  QMenu *menu{}, *recentMenu{};
  QAction *openAction{}, *saveAction{}, *saveAsAction{}, *saveTableAction{};
  QAction *importAction{}, *exportAction{}, *exportAsAction{}, *printAction{}, *quitAction{};
  // Made at the first print: setting up the printing system is slow, and the
  // printer keeps its orientation from job to job.
  std::unique_ptr<QPrinter> printer;
  QPointer<PrinterForm> printerForm;
  bool quitConfirmed = false;  // "Exit" asked already; the close that follows is not asked again

private:
  void OpenedFile();
  void FillRecentMenu();
  // Before the table is replaced or the program ends: false when cancelled.
  bool SaveChangesFirst();
  // What Export As offers for the view shown.
  std::string SuggestedPictureName() const;

  MainWindow& window_;
};

}  // namespace kelvo
