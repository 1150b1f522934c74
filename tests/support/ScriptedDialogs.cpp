#include "support/ScriptedDialogs.h"

namespace kelvo::testing {

Answer ScriptedDialogs::ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons,
                                    Answer defaultAnswer, const std::string& context) {
  Answer answer = Answer::Ok;
  if (buttons != MessageButtons::Ok) {
    answer = buttons == MessageButtons::YesNo ? fallbackAnswer : Answer::Cancel;
    if (!answers.empty()) {
      answer = answers.front();
      answers.pop_front();
    }
  }
  messages.push_back({text, title, buttons, defaultAnswer, answer, context});
  return answer;
}

std::optional<std::string> ScriptedDialogs::AskOpenFileName(const FileDialogOptions& options) {
  fileDialogs.push_back(options);
  if (fileNames.empty()) return std::nullopt;
  auto name = fileNames.front();
  fileNames.pop_front();
  return name;
}

std::optional<std::string> ScriptedDialogs::AskSaveFileName(const FileDialogOptions& options) {
  return AskOpenFileName(options);
}

std::vector<std::string> ScriptedDialogs::Texts() const {
  std::vector<std::string> texts;
  for (const auto& m : messages) texts.push_back(m.text);
  return texts;
}

}  // namespace kelvo::testing
