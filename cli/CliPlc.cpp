#include "cli/CliPlc.h"

#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "common/SafeFiles.h"
#include "ladder/RecordingCanvas.h"
#include "session/PlcFile.h"

namespace kelvo {

int Plc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto o = ParseCliOptions(args, {.parallel = true, .output = true, .lang = true}, err);
  if (!o) return 2;
  std::optional<PlcLanguage> language = PlcLanguageOf(o->output);
  if (!o->lang.empty()) language = o->lang == "st" ? PlcLanguage::StructuredText : PlcLanguage::LadderDiagram;
  if (!language) {
    err << "kelvo16s-cli: name " << o->output << " .xml (PLCopen XML) or .st (Structured Text), or give --lang ld|st\n";
    return 2;
  }
  if (SameFile(o->file, o->output)) {
    err << "kelvo16s-cli: the output " << o->output << " is the states file itself; choose another name\n";
    return 2;
  }
  RecordingCanvas canvas;
  CliSession session(Answer::Yes, canvas);
  if (const auto stopped = DrawForOutput(session, *o, err)) return *stopped;
  const auto text = PlcFileText(session, *language, o->file);
  if (!text) {
    err << "kelvo16s-cli: " << text.why() << "; " << o->output << " is left as it was\n";
    return 1;
  }
  if (const auto written = WriteFileAtomically(o->output, *text); !written) {
    const std::string why = written.why();
    err << "kelvo16s-cli: cannot write " << o->output << (why.empty() ? "" : ": " + why) << "\n";
    return 2;
  }
  out << o->output << "\n";
  return 0;
}

}  // namespace kelvo
