#pragma once
// How the circuit and check fuzz targets read a table from arbitrary bytes:
// the table's fields one a line in the order of a states file, flag lines true
// when their length is odd; and the answerer they run the road with.
// Shared with the regression tests of their findings.

#include <string_view>

#include "common/UserDialogs.h"
#include "equations/ExpressionText.h"
#include "ladder/RecordingCanvas.h"
#include "session/Session.h"
#include "statediagram/StateDiagram.h"

namespace kelvo {

inline StateDiagram TableFromFuzzInput(std::string_view text) {
  const auto lines = Split(text, "\n");
  size_t n = 0;
  const auto next = [&]() -> std::string { return n < lines.size() ? lines[n++] : std::string(); };
  StateDiagram d;
  d.Clear();
  for (auto& c : d.Comments) c = next();
  for (auto& row : d.Targets)
    for (auto& t : row) t = next();
  for (auto& row : d.Triggers)
    for (auto& t : row) t = next();
  for (auto& c : d.Codes) c = next();
  for (auto& name : d.CoilNames) name = next();
  for (auto* flags : {&d.CoilOn, &d.CoilOff})
    for (auto& row : *flags)
      for (auto&& flag : row) flag = next().size() % 2 == 1;
  return d;
}

// Every question answered one way, every notice taken.
class FuzzAnswers : public UserDialogs {
public:
  explicit FuzzAnswers(bool yes) : yes_(yes) {}
  Answer ShowMessage(const std::string&, const std::string&, MessageButtons buttons, Answer,
                     const std::string&) override {
    if (buttons == MessageButtons::Ok) return Answer::Ok;
    return yes_ ? Answer::Yes : Answer::No;
  }
  void Beep() override {}
  std::optional<std::string> AskOpenFileName(const FileDialogOptions&) override { return std::nullopt; }
  std::optional<std::string> AskSaveFileName(const FileDialogOptions&) override { return std::nullopt; }

private:
  bool yes_;
};

// One session on a table read from fuzz input: the first byte's bits tick
// "Auto" (1), answer Yes (2) and tick "Parallel Form" (4); bits 4..7 pick the
// state shown on the form.
struct FuzzRoad {
  FuzzRoad(const unsigned char* data, size_t size)
      : dialogs(data[0] & 2), session(dialogs, canvas, (data[0] >> 4) & 15) {
    session.form.OpenTable(TableFromFuzzInput(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1)));
    session.form.ShowStatePage();
    session.form.autoCodes = data[0] & 1;
    session.views.parallelForm = data[0] & 4;
  }
  FuzzAnswers dialogs;
  RecordingCanvas canvas;
  Session session;
};

}  // namespace kelvo
