#include "cli/CliSession.h"

namespace kelvo {

Answer NonInteractiveDialogs::ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons,
                                          Answer) {
  const Answer answer = buttons == MessageButtons::YesNo ? yesNoAnswer_ : Answer::Ok;
  messages.push_back({title.empty() ? kProgramTitle : title, text, answer});
  return answer;
}

CliSession::CliSession(Answer yesNoAnswer, int shownState)
    : dialogs(yesNoAnswer), f2count(shownState), form(dialogs, *this, f2count, equations) {}

}  // namespace kelvo
