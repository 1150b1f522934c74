#pragma once
// The one door to the user: message boxes, Yes/No questions, the beep and the
// file dialogs. The program answers through real Qt dialogs, the command-line
// tool through a non-interactive answerer, and tests through a scripted double.
// Core flows only ever talk to the user through this interface.

#include <optional>
#include <string>

namespace kelvo {

inline constexpr const char* kProgramTitle = "Kelvo 16s";

// SaveDiscardCancel asks before a changed table is lost ("Save changes to x.sfi?").
enum class MessageButtons { Ok, YesNo, SaveDiscardCancel };
enum class Answer { Ok, Yes, No, Save, Discard, Cancel };

struct FileDialogOptions {
  std::string title;
  std::string filter;            // "sfi|*.sfi|txt|*.txt|..." pairs of description and pattern
  std::string defaultExtension;  // appended when the chosen name has none
  bool confirmOverwrite = false;
  std::string startAt;  // the file (or folder) the dialog starts at; else where the last one ended
};

class UserDialogs {
public:
  virtual ~UserDialogs() = default;

  // An empty title shows the program's title. `defaultAnswer` names the
  // button that Enter presses (Ok for an OK-only box). `context` says where
  // in the table the question points ("state S3, transition 2"); the window
  // shows it after the text, in brackets.
  virtual Answer ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons,
                             Answer defaultAnswer, const std::string& context) = 0;
  virtual void Beep() = 0;
  // Empty optional: the user cancelled.
  virtual std::optional<std::string> AskOpenFileName(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> AskSaveFileName(const FileDialogOptions& options) = 0;

  void Notify(const std::string& text, const std::string& title = {}, const std::string& context = {}) {
    ShowMessage(text, title, MessageButtons::Ok, Answer::Ok, context);
  }
  bool AskYesNo(const std::string& text, const std::string& title, Answer defaultAnswer,
                const std::string& context = {}) {
    return ShowMessage(text, title, MessageButtons::YesNo, defaultAnswer, context) == Answer::Yes;
  }
};

}  // namespace kelvo
