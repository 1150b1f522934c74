#pragma once
// The program's own objects assembled without windows: the entry form's logic
// with its table, the equation set and a non-interactive answerer that gives
// one fixed answer to every question and records every message.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/UserDialogs.h"
#include "equations/EquationSet.h"
#include "equations/EquationView.h"
#include "ladder/Canvas.h"
#include "ladder/LadderGrid.h"
#include "session/CircuitViews.h"
#include "session/EntryForm.h"
#include "session/Session.h"

namespace kelvo {

struct RecordedMessage {
  std::string title;
  std::string text;
  Answer answer;
  std::string context;  // where in the table a question points; may be empty
};

class NonInteractiveDialogs : public UserDialogs {
public:
  explicit NonInteractiveDialogs(Answer yesNoAnswer) : yesNoAnswer_(yesNoAnswer) {}
  Answer ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons, Answer defaultAnswer,
                     const std::string& context) override;
  void Beep() override {}
  std::optional<std::string> AskOpenFileName(const FileDialogOptions&) override { return std::nullopt; }
  std::optional<std::string> AskSaveFileName(const FileDialogOptions&) override { return std::nullopt; }

  std::vector<RecordedMessage> messages;

private:
  Answer yesNoAnswer_;
};

// The tool's answerer, made before the session that uses it.
struct CliAnswerer {
  explicit CliAnswerer(Answer yesNoAnswer) : dialogs(yesNoAnswer) {}
  NonInteractiveDialogs dialogs;
};

// A session whose questions get one fixed answer and whose messages are kept;
// "Circuit" draws "Show All" onto `canvas`, as the main window does.
class CliSession : public CliAnswerer, public Session {
public:
  CliSession(Answer yesNoAnswer, Canvas& canvas, int firstState = 0)
      : CliAnswerer(yesNoAnswer), Session(CliAnswerer::dialogs, canvas, firstState) {}
  using CliAnswerer::dialogs;
};

}  // namespace kelvo

namespace kelvo {

struct CliOptions;

// Loads the options' file as "Load" does; on failure the message goes to `err`.
bool Load(CliSession& session, const CliOptions& options, std::ostream& err);
// Runs "Circuit" with the options' "Parallel Form" and then the view handler
// they name; returns the handler last run when the flow reached the drawing.
std::optional<ViewButton> RunCircuitFlow(CliSession& session, const CliOptions& options);

// Why the automatic codes of the last flow gave up, told from the table's
// transitions, as `inspect`'s "design" key and the class report give it; none
// when they did not give up or their own message names the cause.
std::optional<std::string> AutoCodesWhy(const Session& session);

enum class DrawnFrom { LoadFailed, Stopped, Drawn };
// Loads the file, runs "Circuit" with the options' --auto and form, and tells
// `err` the messages the flow showed.
DrawnFrom DrawFromFile(CliSession& session, const CliOptions& options, std::ostream& err);
// DrawFromFile for a command that writes the options' output: the exit
// status when nothing was drawn (2: the file could not be read, 1: the flow
// stopped, said on `err`), none when the circuit is drawn.
std::optional<int> DrawForOutput(CliSession& session, const CliOptions& options, std::ostream& err);

}  // namespace kelvo
