#pragma once
// How the circuit and check fuzz targets read a table from arbitrary bytes:
// the table's fields one a line in the order of a states file, flag lines true
// when their length is odd; and the answerer they run the road with.
// Shared with the regression tests of their findings.

#include <string_view>

#include "common/UserDialogs.h"
#include "equations/ExpressionText.h"
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
  Answer ShowMessage(const std::string&, const std::string&, MessageButtons buttons, Answer) override {
    if (buttons == MessageButtons::Ok) return Answer::Ok;
    return yes_ ? Answer::Yes : Answer::No;
  }
  void Beep() override {}
  std::optional<std::string> AskOpenFileName(const FileDialogOptions&) override { return std::nullopt; }
  std::optional<std::string> AskSaveFileName(const FileDialogOptions&) override { return std::nullopt; }

private:
  bool yes_;
};

}  // namespace kelvo
