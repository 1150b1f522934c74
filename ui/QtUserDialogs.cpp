#include "ui/QtUserDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace kelvo {

QWidget* QtUserDialogs::Owner() const {
  // The window that asks owns the box, so the box stays in front of it and
  // does not bring the main window up over a secondary window.
  QWidget* active = QApplication::activeWindow();
  return active && active->isVisible() && active->isEnabled() ? active : parent_.data();
}

Answer QtUserDialogs::ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons,
                                  Answer defaultAnswer) {
  QMessageBox box(Owner());
  box.setWindowTitle(QString::fromStdString(title.empty() ? kProgramTitle : title));
  box.setText(QString::fromStdString(text));
  if (buttons == MessageButtons::Ok) {
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
  }
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(defaultAnswer == Answer::No ? QMessageBox::No : QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void QtUserDialogs::Beep() { QApplication::beep(); }

QString QtUserDialogs::QtFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (patterns == QStringLiteral("*.*")) patterns = QStringLiteral("*");
    entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
  }
  return entries.join(QStringLiteral(";;"));
}

std::optional<std::string> QtUserDialogs::AskFileName(const FileDialogOptions& options, bool save) {
  QFileDialog dialog(Owner(), QString::fromStdString(options.title));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilter(QtFilter(options.filter));
  dialog.setDefaultSuffix(QString::fromStdString(options.defaultExtension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
  if (const auto last = lastNames_.find(options.title); last != lastNames_.end()) dialog.selectFile(last->second);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString name = dialog.selectedFiles().first();
  lastNames_[options.title] = name;
  return name.toStdString();
}

std::optional<std::string> QtUserDialogs::AskOpenFileName(const FileDialogOptions& options) {
  return AskFileName(options, false);
}

std::optional<std::string> QtUserDialogs::AskSaveFileName(const FileDialogOptions& options) {
  return AskFileName(options, true);
}

}  // namespace kelvo
