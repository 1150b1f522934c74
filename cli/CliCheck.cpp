#include "cli/CliCheck.h"

#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "ladder/RecordingCanvas.h"

namespace kelvo {

void WriteCheckReport(const CheckReport& report, std::ostream& out) {
  for (const CheckFinding& f : report.findings) out << (f.passed ? "PASS " : "FAIL ") << f.text << "\n";
  out << report.Passed() << " passed, " << report.Failed() << " failed\n";
}

int Check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto o = ParseCliOptions(args, {.parallel = true}, err);
  if (!o) return 2;
  RecordingCanvas canvas;
  CliSession session(Answer::Yes, canvas);
  if (!Load(session, *o, err)) return 2;
  session.dialogs.messages.clear();
  session.form.autoCodes = o->autoCodes;
  session.views.parallelForm = o->parallel;
  session.form.DrawCircuit();
  if (!session.handedOver) {
    for (const auto& m : session.dialogs.messages) err << m.title << ": " << m.text << "\n";
    err << "kelvo16s-cli: no circuit was drawn for " << o->file << "\n";
    return 1;
  }
  const CheckReport report = CheckCircuit(session.form.table(), session.equations, session.grid, o->parallel);
  for (const auto& m : session.dialogs.messages) {
    if (m.answer == Answer::Ok) out << "NOTE " << m.text << "\n";
  }
  for (const std::string& note : session.Notes()) out << "NOTE " << note << "\n";
  WriteCheckReport(report, out);
  return report.Failed() == 0 ? 0 : 1;
}

}  // namespace kelvo
