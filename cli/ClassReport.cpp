#include "cli/ClassReport.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "output/ImageCanvas.h"
#include "output/ReportPictures.h"
#include "statediagram/AutoCodes.h"
#include "statediagram/DiagramLayout.h"

namespace kelvo {
namespace {

std::string FormText(const ClassReportOptions& o) {
  return std::string(o.parallel ? "parallel form" : "two-part form") + ", codes " +
         (o.autoCodes ? "automatic" : "as typed");
}

int TransitionCount(const StateDiagram& table) {
  int count = 0;
  for (int s = 0; s < kStateCount; ++s) {
    for (int j = 0; j < kSlotCount; ++j) count += !table.Targets[s][j].empty() || !table.Triggers[s][j].empty();
  }
  return count;
}

// How the codes came about. When the automatic codes gave up, `why` says why
// as `inspect` does, or, where their message names the cause, that message.
ReportCodes CodesOf(const CliSession& session, bool autoAsked) {
  if (!session.form.autoCodesFailure) return {autoAsked ? ReportCodes::Kind::Automatic : ReportCodes::Kind::Typed, {}};
  ReportCodes codes{ReportCodes::Kind::Failed, {}};
  if (const auto why = AutoCodesWhy(session)) {
    codes.why = *why;
    return codes;
  }
  for (const RecordedMessage& m : session.dialogs.messages) {
    if (m.text == kExtraStateNeeded || m.text == kErrorStateSequence) codes.why = m.text;
  }
  return codes;
}

// What the flow told and asked, as `check` prints it, then the questions with their answers.
std::vector<std::string> NotesOf(const CliSession& session) {
  std::vector<std::string> notes, questions;
  for (const RecordedMessage& m : session.dialogs.messages) {
    const std::string where = m.context.empty() ? "" : " (" + m.context + ")";
    if (m.answer == Answer::Ok) {
      notes.push_back(m.text + where);
    } else {
      questions.push_back("Asked \"" + m.text + "\"" + where + ": answered " +
                          (m.answer == Answer::Yes ? "Yes" : "No"));
    }
  }
  if (session.handedOver) {
    for (const std::string& note : session.views.DrawingNotes()) notes.push_back(note);
  }
  notes.insert(notes.end(), questions.begin(), questions.end());
  return notes;
}

std::string ViewTitle(ViewButton view) {
  return view == ViewButton::MachineState ? ViewCaption(view) : std::string("Circuit ") + ViewCaption(view);
}

}  // namespace

std::vector<std::string> StatesFilesIn(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".sfi" && !entry.is_directory(error)) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

ClassReport::ClassReport(ClassReportOptions options, const std::array<QImage, kTileCount>& tiles)
    : options_(options), tiles_(tiles), page_(FormText(options)) {}

bool ClassReport::AllRead() const {
  return std::none_of(page_.Rows().begin(), page_.Rows().end(),
                      [](const ReportRow& row) { return row.verdict == ReportVerdict::Unreadable; });
}

void ClassReport::AddFile(const std::string& path, const std::string& shownName) {
  ImageCanvas canvas(tiles_);
  CliSession session(Answer::Yes, canvas);
  CliOptions o;
  o.file = path;
  o.autoCodes = options_.autoCodes;
  o.parallel = options_.parallel;
  std::ostringstream told;  // the messages are read from the session
  const DrawnFrom drawn = DrawFromFile(session, o, told);

  ReportRow row;
  row.file = shownName;
  ReportSection section;
  if (drawn == DrawnFrom::LoadFailed) {
    for (const RecordedMessage& m : session.dialogs.messages) row.notes.push_back(m.text);
    page_.Add(row, section);
    return;
  }
  const StateDiagram& table = session.form.table();
  row.statesInUse = static_cast<int>(StatesInUse(table).size());
  row.transitions = TransitionCount(table);
  row.codes = CodesOf(session, options_.autoCodes);
  row.notes = NotesOf(session);
  section.hasTable = true;
  section.table = table;
  if (const DiagramLayout layout = LayOutDiagram(table); !layout.error.empty()) {
    section.diagramError = layout.error;
  } else if (!layout.nodes.empty()) {
    section.diagram = {"State diagram", DiagramSvg(layout)};
  }
  if (drawn == DrawnFrom::Stopped) {
    row.verdict = ReportVerdict::NotDrawn;
    page_.Add(row, section);
    return;
  }

  // As `check` runs it.
  const CheckReport report = CheckCircuit(table, session.equations, session.grid, options_.parallel);
  row.passed = report.Passed();
  row.failed = report.Failed();
  row.verdict = row.failed == 0 ? ReportVerdict::Passed : ReportVerdict::Failed;
  for (const CheckFinding& f : report.findings) {
    if (f.kind != CheckFinding::Kind::ReadBack) continue;
    ++row.circuitsRead;
    row.circuitsVerified += f.passed;
  }
  section.findings = report.findings;
  section.hasEquations = true;
  section.equations = EquationViewOf(session.form.synthesis);
  for (int r = 0; r < kRelayCount; ++r) {
    const std::string& name = session.equations.relayNames[r];
    if (!name.empty()) section.relayEquations.push_back({name, session.equations.relayEquations[r]});
  }
  for (ViewButton view :
       {ViewButton::ShowA, ViewButton::ShowB, ViewButton::ShowC, ViewButton::ShowD, ViewButton::MachineState}) {
    if (!session.views.Enabled(view)) continue;
    session.views.Show(view);
    if (session.views.Current() != view || !session.views.EmptyView().empty()) continue;
    section.circuits.push_back({ViewTitle(view), CircuitSvg(canvas.Record(), tiles_, ViewTitle(view))});
  }
  page_.Add(row, section);
}

}  // namespace kelvo
