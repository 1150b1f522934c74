#pragma once
// A test double for the user: gives set answers in order and records every
// message it was shown.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/UserDialogs.h"

namespace kelvo::testing {

struct ShownMessage {
  std::string text;
  std::string title;
  MessageButtons buttons;
  Answer defaultAnswer;
  Answer answer;
  std::string context;
};

class ScriptedDialogs : public UserDialogs {
public:
  // Answers to questions, used in order; when they run out every Yes/No
  // question is answered `fallbackAnswer` and every Save/Discard/Cancel one Cancel.
  std::deque<Answer> answers;
  Answer fallbackAnswer = Answer::Yes;
  // File names the dialogs return in order; nullopt means Cancel.
  std::deque<std::optional<std::string>> fileNames;

  std::vector<ShownMessage> messages;
  std::vector<FileDialogOptions> fileDialogs;
  int beeps = 0;

  Answer ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons, Answer defaultAnswer,
                     const std::string& context) override;
  void Beep() override { ++beeps; }
  std::optional<std::string> AskOpenFileName(const FileDialogOptions& options) override;
  std::optional<std::string> AskSaveFileName(const FileDialogOptions& options) override;

  std::vector<std::string> Texts() const;
};

}  // namespace kelvo::testing
