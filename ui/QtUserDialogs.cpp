#include "ui/QtUserDialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QStringList>

#include "common/FileNames.h"

namespace kelvo {

QWidget* QtUserDialogs::Owner() const {
  // The window that asks owns the box, so the box stays in front of it and
  // does not bring the main window up over a secondary window.
  QWidget* active = QApplication::activeWindow();
  return active && active->isVisible() && active->isEnabled() ? active : parent_.data();
}

Answer QtUserDialogs::ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons,
                                  Answer defaultAnswer, const std::string& context) {
  // The field that had the keyboard before the question has it again after.
  const QPointer<QWidget> focus = QApplication::focusWidget();
  const auto answered = qScopeGuard([focus] {
    if (focus && focus->isVisible() && focus->isEnabled()) {
      focus->activateWindow();
      focus->setFocus(Qt::OtherFocusReason);
    }
  });
  QMessageBox box(Owner());
  box.setWindowTitle(QString::fromStdString(title.empty() ? kProgramTitle : title));
  QString shown = QString::fromStdString(text);
  if (!context.empty()) shown += QStringLiteral(" (%1)").arg(QString::fromStdString(context));
  box.setText(shown);
  if (buttons == MessageButtons::Ok) {
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
  }
  if (buttons == MessageButtons::SaveDiscardCancel) {
    box.setIcon(QMessageBox::Warning);
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.button(QMessageBox::Save)->setText(QStringLiteral("&Save"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("&Discard"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("&Cancel"));
    box.setDefaultButton(defaultAnswer == Answer::Discard  ? QMessageBox::Discard
                         : defaultAnswer == Answer::Cancel ? QMessageBox::Cancel
                                                           : QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    const int pressed = box.exec();
    return pressed == QMessageBox::Save      ? Answer::Save
           : pressed == QMessageBox::Discard ? Answer::Discard
                                             : Answer::Cancel;
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
  const QString filters = QtFilter(options.filter);
  const QStringList filterList = filters.split(QStringLiteral(";;"));
  dialog.setNameFilter(filters);
  dialog.setDefaultSuffix(QString::fromStdString(options.defaultExtension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
  // The type chosen in "Files of type" is the one a bare name gets, and the
  // name shown follows it.
  const auto chosenExtension = [&](const QString& filter) {
    const int chosen = static_cast<int>(filterList.indexOf(filter));
    return QString::fromStdString(ExtensionOf(NameForChosenType("x", options.filter, chosen, "")));
  };
  if (save) {
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
      const QString extension = chosenExtension(filter);
      if (extension.isEmpty()) return;
      dialog.setDefaultSuffix(extension);
      if (auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        const QString typed = edit->text();
        const QString old = QString::fromStdString(ExtensionOf(typed.toStdString()));
        const std::string known = NameForChosenType(typed.toStdString(), options.filter, -1, "");
        if (!old.isEmpty() && known == typed.toStdString()) {
          edit->setText(typed.left(typed.size() - old.size()) + extension);
        }
      }
    });
  }
  // A dialog starts at the name last chosen with its title, or else in the
  // folder last used by any file dialog, also in an earlier run.
  QSettings settings;
  if (!options.startAt.empty()) {
    dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(options.startAt)));
  } else if (const auto last = lastNames_.find(options.title); last != lastNames_.end()) {
    dialog.selectFile(last->second);
  } else if (const QString folder = settings.value(QStringLiteral("lastFolder")).toString();
             !folder.isEmpty() && QFileInfo(folder).isDir()) {
    dialog.setDirectory(folder);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  QString name = dialog.selectedFiles().first();
  if (save) {
    const int chosen = static_cast<int>(filterList.indexOf(dialog.selectedNameFilter()));
    const QString typed = name;
    name = QFile::decodeName(QByteArray::fromStdString(
        NameForChosenType(QFile::encodeName(name).toStdString(), options.filter, chosen, options.defaultExtension)));
    if (name != typed && options.confirmOverwrite && QFileInfo::exists(name) &&
        QMessageBox::question(
            Owner(), QString::fromStdString(options.title),
            QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(name).fileName())) !=
            QMessageBox::Yes) {
      return std::nullopt;
    }
  }
  lastNames_[options.title] = name;
  settings.setValue(QStringLiteral("lastFolder"), QFileInfo(name).absolutePath());
  return QFile::encodeName(name).toStdString();
}

std::optional<std::string> QtUserDialogs::AskOpenFileName(const FileDialogOptions& options) {
  return AskFileName(options, false);
}

std::optional<std::string> QtUserDialogs::AskSaveFileName(const FileDialogOptions& options) {
  return AskFileName(options, true);
}

}  // namespace kelvo
