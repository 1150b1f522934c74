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
#include "ladder/Canvas.h"
#include "ladder/CircuitViews.h"
#include "ladder/LadderGrid.h"
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

// "Circuit" hands its equations to DrawCirc, which lays them out and draws
// "Show All" onto `canvas`, as the main window does.
class CliSession : public StatesInHost {
public:
  CliSession(Answer yesNoAnswer, Canvas& canvas, int shownState = 0);

  void ShowEquationView(const EquationViewTexts& texts) override { eqView = texts; }
  void HandOverCircuit() override;

  NonInteractiveDialogs dialogs;
  int f2count;
  EquationSet equations;
  LadderGrid grid;
  CircuitViews views;
  StatesIn form;
  std::optional<EquationViewTexts> eqView;
  bool handedOver = false;
};

}  // namespace kelvo

namespace kelvo {

struct CliOptions;

// Loads the options' file as "Load" does; on failure the message goes to `err`.
bool Load(CliSession& session, const CliOptions& options, std::ostream& err);
// Runs "Circuit" with the options' "Parallel Form" and then the view handler
// they name; returns the handler last run when the flow reached the drawing.
std::optional<ViewButton> RunCircuitFlow(CliSession& session, const CliOptions& options);

}  // namespace kelvo
