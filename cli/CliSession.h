#pragma once
// The program's own objects assembled without windows: the entry form's logic
// with its table, the equation set and a non-interactive answerer that gives
// one fixed answer to every question and records every message.

#include <optional>
#include <string>
#include <vector>

#include "common/UserDialogs.h"
#include "equations/EquationSet.h"
#include "equations/EquationView.h"
#include "statediagram/StatesIn.h"

namespace kelvo {

struct RecordedMessage {
  std::string title;
  std::string text;
  Answer answer;
};

class NonInteractiveDialogs : public UserDialogs {
public:
  explicit NonInteractiveDialogs(Answer yesNoAnswer) : yesNoAnswer_(yesNoAnswer) {}
  Answer ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons,
                     Answer defaultAnswer) override;
  void Beep() override {}
  std::optional<std::string> AskOpenFileName(const FileDialogOptions&) override { return std::nullopt; }
  std::optional<std::string> AskSaveFileName(const FileDialogOptions&) override { return std::nullopt; }

  std::vector<RecordedMessage> messages;

private:
  Answer yesNoAnswer_;
};

class CliSession : public StatesInHost {
public:
  explicit CliSession(Answer yesNoAnswer, int shownState = 0);

  void ShowEquationView(const EquationViewTexts& texts) override { eqView = texts; }
  void HandOverCircuit() override { handedOver = true; }

  NonInteractiveDialogs dialogs;
  int f2count;
  EquationSet equations;
  StatesIn form;
  std::optional<EquationViewTexts> eqView;
  bool handedOver = false;
};

}  // namespace kelvo
