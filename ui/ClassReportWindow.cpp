#include "ui/ClassReportWindow.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QProgressDialog>
#include <QUrl>
#include <filesystem>

#include "common/SafeFiles.h"

namespace kelvo {
namespace {

constexpr const char* kPageName = "report.html";

QWidget* WithButton(QLineEdit* edit, QPushButton* button) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edit, 1);
  layout->addWidget(button);
  return row;
}

}  // namespace

ClassReportDialog::ClassReportDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Class Report"));
  folderBox = new QLineEdit;
  chooseFolderButton = new QPushButton(QStringLiteral("Choose..."));
  autoCodesBox = new QCheckBox(QStringLiteral("Automatic codes (\"Auto\")"));
  parallelFormBox = new QCheckBox(QStringLiteral("Parallel Form"));
  pageBox = new QLineEdit;
  choosePageButton = new QPushButton(QStringLiteral("Choose..."));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Make Report"));
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("Folder of states files:"), WithButton(folderBox, chooseFolderButton));
  form->addRow(QString(), autoCodesBox);
  form->addRow(QString(), parallelFormBox);
  form->addRow(QStringLiteral("Write the page to:"), WithButton(pageBox, choosePageButton));
  form->addRow(buttons);
  setMinimumWidth(560);

  connect(folderBox, &QLineEdit::textChanged, this, [this](const QString& folder) {
    if (!pageBox->isModified()) pageBox->setText(folder.isEmpty() ? QString() : QDir(folder).filePath(kPageName));
  });
  connect(chooseFolderButton, &QPushButton::clicked, this, [this] {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Folder of States Files"), folderBox->text());
    if (!folder.isEmpty()) folderBox->setText(folder);
  });
  connect(choosePageButton, &QPushButton::clicked, this, [this] {
    const QString page = QFileDialog::getSaveFileName(this, QStringLiteral("Class Report"), pageBox->text(),
                                                      QStringLiteral("HTML page (*.html *.htm)"));
    if (page.isEmpty()) return;
    pageBox->setText(page);
    pageBox->setModified(true);
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ClassReportOptions ClassReportDialog::Options() const {
  return {.autoCodes = autoCodesBox->isChecked(), .parallel = parallelFormBox->isChecked()};
}

Result<ReportWritten> WriteClassReport(const std::string& folder, const ClassReportOptions& options,
                                       const std::string& page, const std::array<QImage, kTileCount>& tiles,
                                       QWidget* parent) {
  const std::vector<std::string> files = StatesFilesIn(folder);
  if (files.empty()) return Fault{"There are no states files (.sfi) in " + folder + "."};
  for (const std::string& file : files) {
    if (SameFile(file, page)) return Fault{page + " is one of the states files; choose another name for the page."};
  }
  QProgressDialog progress(QStringLiteral("Making the class report..."), QStringLiteral("Cancel"), 0,
                           static_cast<int>(files.size()), parent);
  progress.setWindowTitle(QStringLiteral("Class Report"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  ClassReport report(options, tiles);
  for (size_t i = 0; i < files.size(); ++i) {
    progress.setLabelText(QStringLiteral("File %1 of %2").arg(i + 1).arg(files.size()));
    progress.setValue(static_cast<int>(i));
    if (progress.wasCanceled()) return ReportWritten::Cancelled;
    report.AddFile(files[i], std::filesystem::path(files[i]).filename().string());
  }
  progress.setValue(static_cast<int>(files.size()));
  if (const auto written = WriteFileAtomically(page, report.Page().Html()); !written) {
    return Fault{"Unknown Error while creating file " + page + "\n" + written.why()};
  }
  return ReportWritten::Written;
}

void ShowClassReport(QWidget* parent, const std::array<QImage, kTileCount>& tiles, UserDialogs& dialogs) {
  ClassReportDialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return;
  const std::string folder = dialog.folderBox->text().toStdString();
  const std::string page = dialog.pageBox->text().toStdString();
  if (folder.empty() || page.empty()) {
    dialogs.Notify("Choose a folder of states files and a name for the page.", "Class Report");
    return;
  }
  const auto written = WriteClassReport(folder, dialog.Options(), page, tiles, parent);
  if (!written) dialogs.Notify(written.why(), "Class Report");
  if (!written || *written != ReportWritten::Written) return;
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page)))) {
    dialogs.Notify("The class report is written to " + page + "; no browser could be started to show it.",
                   "Class Report");
  }
}

}  // namespace kelvo
