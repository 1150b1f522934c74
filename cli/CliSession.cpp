#include "cli/CliSession.h"

#include "cli/CliOptions.h"

namespace kelvo {

Answer NonInteractiveDialogs::ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons,
                                          Answer, const std::string& context) {
  // The tool never loses a table, so it is never asked to save one: Discard.
  const Answer answer = buttons == MessageButtons::YesNo               ? yesNoAnswer_
                        : buttons == MessageButtons::SaveDiscardCancel ? Answer::Discard
                                                                       : Answer::Ok;
  messages.push_back({title.empty() ? kProgramTitle : title, text, answer, context});
  return answer;
}

}  // namespace kelvo

namespace kelvo {

bool Load(CliSession& session, const CliOptions& o, std::ostream& err) {
  if (session.form.LoadStatesFrom(o.file)) return true;
  for (const auto& m : session.dialogs.messages) err << m.text << "\n";
  return false;
}

std::optional<int> DrawForOutput(CliSession& session, const CliOptions& o, std::ostream& err) {
  const DrawnFrom drawn = DrawFromFile(session, o, err);
  if (drawn == DrawnFrom::LoadFailed) return 2;
  if (drawn == DrawnFrom::Stopped) {
    err << "kelvo16s-cli: no circuit was drawn for " << o.file << "; " << o.output << " is left as it was\n";
    return 1;
  }
  return std::nullopt;
}

std::optional<std::string> AutoCodesWhy(const Session& session) {
  std::string why = session.form.AutoCodesWhy();
  if (why.empty()) return std::nullopt;
  return why;
}

DrawnFrom DrawFromFile(CliSession& session, const CliOptions& o, std::ostream& err) {
  if (!Load(session, o, err)) return DrawnFrom::LoadFailed;
  session.dialogs.messages.clear();
  session.form.autoCodes = o.autoCodes;
  const bool drawn = RunCircuitFlow(session, o).has_value();
  for (const auto& m : session.dialogs.messages) err << m.title << ": " << m.text << "\n";
  return drawn ? DrawnFrom::Drawn : DrawnFrom::Stopped;
}

std::optional<ViewButton> RunCircuitFlow(CliSession& session, const CliOptions& o) {
  session.views.parallelForm = o.parallel;
  session.form.DrawCircuit();
  if (!session.handedOver) return std::nullopt;
  ViewButton requested = ViewButton::ShowAll;
  if (o.view != "all") {
    requested = ViewFromOption(o.view);
    session.views.Show(requested);
  }
  // A view too wide for the canvas was given up for circuit A.
  if (requested != ViewButton::ShowA && session.views.Current() == ViewButton::ShowA) return ViewButton::ShowA;
  return requested;
}

}  // namespace kelvo
