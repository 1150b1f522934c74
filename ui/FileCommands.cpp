#include "ui/FileCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "session/PlcFile.h"
#include "ui/ClassReportWindow.h"
#include "ui/MainWindow.h"
#include "ui/RecentFiles.h"
#include "ui/WindowKeys.h"
#include "ui/WindowPlaces.h"

namespace kelvo {

void FileCommands::BuildMenu(QMenuBar* bar) {
  MainWindow& w = window_;
  menu = bar->addMenu(QStringLiteral("&File"));
  openAction = menu->addAction(QStringLiteral("&Open State Diagram"), &w, [this] { OpenWithDialog(); });
  openAction->setShortcuts({QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_O)});
  saveAction = menu->addAction(QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S), &w, [this] { Save(); });
  saveAsAction = menu->addAction(QStringLiteral("Save &As..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &w,
                                 [this] { SaveAs(); });
  saveTableAction =
      menu->addAction(QStringLiteral("Save State &Diagram"), QKeySequence(Qt::Key_F3), &w, [this] { SaveAs(); });
  recentMenu = menu->addMenu(QStringLiteral("Recent &Files"));
  FillRecentMenu();
  QMenu* picture = menu->addMenu(QStringLiteral("&Circuit"));
  importAction = picture->addAction(QStringLiteral("&Import"), QKeySequence(Qt::Key_F4), &w,
                                    [this] { window_.files.ImportPicture(); });
  exportAction = picture->addAction(QStringLiteral("&Export"), QKeySequence(Qt::Key_F5), &w,
                                    [this] { window_.files.ExportPicture(); });
  exportAsAction = picture->addAction(QStringLiteral("Export &As..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
                                      &w, [this] { window_.files.ExportAs(SuggestedPictureName()); });
  menu->addAction(QStringLiteral("Export for P&LC..."), &w,
                  [this] { ExportForPlc(window_.session, window_.Dialogs()); });
  menu->addSeparator();
  printAction =
      menu->addAction(QStringLiteral("&Print Circuit"), QKeySequence(Qt::CTRL | Qt::Key_P), &w, [this] { Print(); });
  menu->addAction(QStringLiteral("Class &Report..."), &w,
                  [this] { ShowClassReport(&window_, window_.tiles.Images(), window_.Dialogs()); });
  menu->addSeparator();
  quitAction = menu->addAction(QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q), &w, [this] { Quit(); });
}

void FileCommands::OpenWithDialog() {
  if (!window_.entryForm || !MayReplaceDocument()) return;
  if (!window_.entryForm->OpenWithDialog()) return;  // cancelled or failed: the table is as it was
  OpenedFile();
}

void FileCommands::OpenFile(const QString& path) { OpenFile(QFile::encodeName(path).toStdString()); }

void FileCommands::OpenFile(const std::string& path) {
  if (!window_.entryForm) return;
  window_.formCommands.RebuildClosedForm();
  if (!window_.entryForm->LoadStatesFrom(path)) {
    RememberRecent(path, false);  // a file that cannot be opened leaves the list
    return;
  }
  OpenedFile();
}

void FileCommands::OpenedFile() {
  EntryForm& form = *window_.entryForm;
  RememberRecent(form.documentPath(), true);
  window_.UpdateTitle();
  window_.formCommands.newTableAction->setEnabled(true);
  form.OfferAutoCodes();
  form.DrawCircuit();
  window_.UpdateTitle();
}

void FileCommands::SaveAs() {
  if (!window_.entryForm) return;
  window_.formCommands.RebuildClosedForm();
  if (window_.entryForm->SaveWithDialog()) RememberRecent(window_.entryForm->documentPath(), true);
  window_.UpdateTitle();
}

void FileCommands::Save() {
  if (!window_.entryForm) return;
  window_.formCommands.RebuildClosedForm();
  if (window_.entryForm->Save()) RememberRecent(window_.entryForm->documentPath(), true);
  window_.UpdateTitle();
}

void FileCommands::Print() {
  if (printerForm) return;
  MainWindow& w = window_;
  if (!printer) printer = std::make_unique<QPrinter>();
  printerForm = new PrinterForm(w.views, w.canvas, *printer, w.Dialogs());
  printerForm->setWindowIcon(w.windowIcon());
  RememberPlace(printerForm, QStringLiteral("print"));
  if (w.entryForm) printerForm->documentName = QString::fromStdString(w.entryForm->DocumentName());
  StayAbove(printerForm, &w);
  printerForm->onViewDrawn = [this] { window_.viewControls.Sync(); };
  printerForm->onClosed = [this] { window_.setEnabled(true); };
  w.setEnabled(false);
  printerForm->show();
}

bool FileCommands::MayReplaceDocument() { return window_.session.MayDropHandEdits() && SaveChangesFirst(); }

bool FileCommands::SaveChangesFirst() {
  // A form closed from its title bar is rebuilt from the table before the
  // question, so only edits that count are weighed.
  window_.formCommands.RebuildClosedForm();
  EntryForm& form = *window_.entryForm;
  const bool go = form.SaveChangesFirst();
  if (!form.documentPath().empty()) RememberRecent(form.documentPath(), true);
  window_.UpdateTitle();
  return go;
}

bool FileCommands::ConfirmQuit() {
  if (!window_.entryForm) return true;
  window_.formCommands.RebuildClosedForm();
  // Only what would be lost is asked about: a changed table, then hand edits
  // not yet exported, naming their views.
  if (window_.entryForm->Modified() && !SaveChangesFirst()) return false;
  const auto& unexported = window_.session.document.UnexportedViews();
  if (unexported.empty()) return true;
  std::string views = "hand edits not exported: ";
  for (auto v = unexported.begin(); v != unexported.end(); ++v) {
    views += (v == unexported.begin() ? "" : ", ") + DescribeView(*v);
  }
  return window_.Dialogs().AskYesNo(kDataLossQuestion, kDataLossTitle, Answer::No, views);
}

void FileCommands::Quit() {
  if (!ConfirmQuit()) return;
  quitConfirmed = true;
  window_.close();
}

QStringList FileCommands::RecentFiles() const { return kelvo::RecentFiles{}.List(); }

void FileCommands::RememberRecent(const std::string& path, bool keep) {
  kelvo::RecentFiles{}.Remember(path, keep);
  FillRecentMenu();
}

void FileCommands::FillRecentMenu() {
  recentMenu->clear();
  const QStringList recent = RecentFiles();
  for (int i = 0; i < recent.size(); ++i) {
    const QString path = recent[i];
    QAction* open = recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    open->setToolTip(path);
    QObject::connect(open, &QAction::triggered, &window_, [this, path] {
      if (MayReplaceDocument()) OpenFile(path);
    });
  }
  recentMenu->setToolTipsVisible(true);  // the full path of each
  if (!recent.isEmpty()) {
    recentMenu->addSeparator();
    recentMenu->addAction(QStringLiteral("&Clear List"), &window_, [this] {
      kelvo::RecentFiles{}.Clear();
      FillRecentMenu();
    });
  }
  recentMenu->setEnabled(!recent.isEmpty());
}

QString FileCommands::DocumentStem() const {
  return window_.entryForm ? QFileInfo(QString::fromStdString(window_.entryForm->DocumentName())).completeBaseName()
                           : QStringLiteral("Untitled");
}

std::string FileCommands::SuggestedPictureName() const {
  const CircuitViews& views = window_.views;
  QString view = QString::fromUtf8(ViewCaption(views.ShownKey().view));
  if (views.ShownKey().noCircuit) view = QStringLiteral("picture");
  view.replace(QLatin1Char(' '), QLatin1Char('-'));
  return BesideDocument(DocumentStem() + QLatin1Char('-') + view + QStringLiteral(".png"));
}

std::string FileCommands::BesideDocument(const QString& name) const {
  const EntryForm* form = window_.entryForm;
  if (!form || form->documentPath().empty()) return QFile::encodeName(name).toStdString();
  const QString document = QFile::decodeName(QByteArray::fromStdString(form->documentPath()));
  return QFile::encodeName(QFileInfo(document).absoluteDir().filePath(name)).toStdString();
}

}  // namespace kelvo
