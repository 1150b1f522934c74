#pragma once
// Real dialogs for the program: message boxes, the beep and file dialogs.
// Each file dialog remembers the last name chosen with its title, so the next
// one opens with it.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <map>

#include "common/UserDialogs.h"

namespace kelvo {

class QtUserDialogs : public UserDialogs {
public:
  // Message boxes are parented to `parent` (the main window).
  void SetParent(QWidget* parent) { parent_ = parent; }

  Answer ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons, Answer defaultAnswer,
                     const std::string& context) override;
  void Beep() override;
  std::optional<std::string> AskOpenFileName(const FileDialogOptions& options) override;
  std::optional<std::string> AskSaveFileName(const FileDialogOptions& options) override;

  // "sfi|*.sfi|All files|*.*" -> "sfi (*.sfi);;All files (*)".
  static QString QtFilter(const std::string& filter);

private:
  std::optional<std::string> AskFileName(const FileDialogOptions& options, bool save);

  QWidget* Owner() const;

  QPointer<QWidget> parent_;
  std::map<std::string, QString> lastNames_;
};

}  // namespace kelvo
