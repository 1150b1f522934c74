#include "cli/CliApp.h"

#include <algorithm>
#include <optional>
#include <sstream>

#include "cli/CliCheck.h"
#include "cli/CliCodes.h"
#include "cli/CliOptions.h"
#include "cli/CliPlc.h"
#include "cli/CliRender.h"
#include "cli/CliReport.h"
#include "cli/CliSession.h"
#include "cli/CliSimulate.h"
#include "cli/JsonWriter.h"
#include "cli/VisibleText.h"
#include "ladder/RecordingCanvas.h"
#include "statediagram/DesignNotes.h"

namespace kelvo {
namespace {

constexpr const char* kUsage =
    "Usage: kelvo16s-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  inspect FILE.sfi [--flow circuit|equations] [--auto] [--answer yes|no] [--state N]\n"
    "                   [--view all|a|b|c|d|machine] [--parallel]\n"
    "                   run \"Circuit\" or \"Equations\" on a states file and print what the\n"
    "                   program holds afterwards as JSON\n"
    "  equations FILE.sfi [--auto]\n"
    "                   print the rows of the equation view as text\n"
    "  render FILE.sfi [--auto] [--view all|a|b|c|d|machine] [--parallel] -o OUT\n"
    "                   draw the circuit as the program does and write it as PNG, SVG or PDF\n"
    "                   when OUT ends in .png, .svg or .pdf, else as a Windows bitmap\n"
    "  diagram FILE.sfi [--auto] -o OUT.svg|OUT.png|OUT.pdf\n"
    "                   draw the state diagram (Graphviz's dot layout)\n"
    "  simulate FILE.sfi [--auto] [--parallel] [--from SN] --steps \"X1=1; X1=0; X2=1,X3=0\" [--json]\n"
    "                   run the machine on its drawn circuits: set the switches of each step, let\n"
    "                   the relays settle, print the moves and the state reached; exit status 1\n"
    "                   when a step does not settle\n"
    "  check FILE.sfi [--auto] [--parallel]\n"
    "                   read back the drawn circuits, run them and print a line per\n"
    "                   transition, hold, output and read-back; exit status 1 when one fails\n"
    "  codes FILE.sfi [--transit] [--json] [-o OUT.sfi]\n"
    "                   find codes in which every transition changes one digit (S0 = 0000), with\n"
    "                   --transit adding the fewest transit states needed; -o writes the table\n"
    "                   with them; exit status 1 when there are none\n"
    "  plc FILE.sfi [--auto] [--parallel] [--lang ld|st] -o OUT.xml|OUT.st\n"
    "                   write the drawn circuits for a PLC: a PLCopen XML project with a Ladder\n"
    "                   Diagram program, or the same program in Structured Text\n"
    "  report FILES...|DIR [--auto] [--parallel] [-o report.html] [--csv summary.csv]\n"
    "                   the class report: one HTML page with every file's table, diagram,\n"
    "                   equations, circuits and check, under a summary table; exit status 1\n"
    "                   when a file could not be read\n"
    "  --help           show this text\n"
    "  --version        show the version\n"
    "\n"
    "-o - or -o /dev/stdout writes the picture to standard output (render: a Windows bitmap,\n"
    "diagram: SVG) and nothing else there; a terminal, pipe or other device given as -o is\n"
    "written as it is, a file is replaced only once the whole picture is written.\n"
    "\n"
    "Every question of a flow is answered Yes unless --answer no is given.\n"
    "Exit status: 0 when the file loaded, 2 when it could not be read or the options are wrong\n"
    "(equations: 1 when the flow stopped before the equations).\n";

const char* AnswerText(Answer a) {
  switch (a) {
    case Answer::Yes:
      return "yes";
    case Answer::No:
      return "no";
    case Answer::Discard:
      return "discard";
    default:
      return "ok";
  }
}

void WriteVars(JsonWriter& json, const EquationSynthesis& synthesis) {
  json.Key("vars");
  json.BeginObject();
  for (int x = 0; x < kStateVariables; ++x) {
    const VariableEquations& v = synthesis.vars[x];
    json.Key(std::string(1, VariableLetter(x)));
    json.BeginObject();
    json.Key("set"), json.String(v.set);
    json.Key("reset"), json.String(v.reset);
    json.Key("complementedReset"), json.String(v.complementedReset);
    json.Key("setWithHold"), json.String(v.setWithHold);
    json.Key("sigma"), json.String(v.sigma);
    json.Key("factored"), json.String(v.factored);
    json.Key("final"), json.String(v.final);
    json.EndObject();
  }
  json.EndObject();
}

void WriteEquationSet(JsonWriter& json, const EquationSet& e) {
  json.Key("equationSet");
  json.BeginObject();
  for (int x = 0; x < kStateVariables; ++x)
    json.Key(std::string("eq") + VariableLetter(x)), json.String(e.variableEquations[x]);
  for (int x = 0; x < kStateVariables; ++x)
    json.Key(std::string("eqPar") + VariableLetter(x)), json.String(e.parallelEquations[x]);
  json.Key("eqCoil"), json.Strings(e.relayEquations);
  json.Key("nmCoil"), json.Strings(e.relayNames);
  json.EndObject();
}

void WriteEquationView(JsonWriter& json, const EquationViewTexts& t) {
  json.Key("eqView");
  json.BeginObject();
  for (int x = 0; x < kStateVariables; ++x)
    json.Key(std::string("On") + VariableLetter(x) + "Lbl"), json.String(t.On[x]);
  for (int x = 0; x < kStateVariables; ++x)
    json.Key(std::string("Off") + VariableLetter(x) + "Lbl"), json.String(t.Off[x]);
  for (int x = 0; x < kStateVariables; ++x)
    json.Key(std::string(1, VariableLetter(x)) + "Func"), json.String(t.Func[x]);
  for (int x = 0; x < kStateVariables; ++x) json.Key(std::string("Final") + VariableLetter(x)), json.String(t.Final[x]);
  json.EndObject();
}

template <typename Grid>
void WriteCells(JsonWriter& json, const Grid& grid) {
  json.BeginArray();
  for (const auto& matrix : grid) {
    json.BeginArray();
    for (const auto& row : matrix) json.Strings(row);
    json.EndArray();
  }
  json.EndArray();
}

void WriteTileCodes(JsonWriter& json, const TileGrid& tiles) {
  json.BeginArray();
  for (const auto& branch : tiles) {
    std::vector<std::string> codes;
    codes.reserve(branch.size());
    for (Tile tile : branch) codes.emplace_back(TileCode(tile));
    json.Strings(codes);
  }
  json.EndArray();
}

void WriteLabels(JsonWriter& json, const LabelGrid& labels) {
  json.BeginArray();
  for (const auto& branch : labels) json.Strings(branch);
  json.EndArray();
}

// The grids as the program has always printed them: the tile grids of slots
// 0..3 (A..D), their labels as slots 4..7, and for the sum grids the relay
// tile grids as slots 8..13 and their labels as slots 14..19.
void WriteSumTiles(JsonWriter& json, const LadderGrid& g) {
  json.BeginArray();
  for (int x = 0; x < kStateVariables; ++x) WriteTileCodes(json, g.SumTiles[x]);
  for (int x = 0; x < kStateVariables; ++x) WriteLabels(json, g.SumLabels[x]);
  for (int r = 0; r < kRelayCount; ++r) WriteTileCodes(json, g.SumTiles[kFirstRelaySlot + r]);
  for (int r = 0; r < kRelayCount; ++r) WriteLabels(json, g.SumLabels[kFirstRelaySlot + r]);
  json.EndArray();
}

void WriteTwoPartTiles(JsonWriter& json, const LadderGrid& g) {
  json.BeginArray();
  for (const TileGrid& tiles : g.TwoPartTiles) WriteTileCodes(json, tiles);
  for (const LabelGrid& labels : g.TwoPartLabels) WriteLabels(json, labels);
  json.EndArray();
}

template <typename Numbers>
void WriteInts(JsonWriter& json, const Numbers& numbers) {
  json.BeginArray();
  for (int n : numbers) json.Int(n);
  json.EndArray();
}

void WriteLadder(JsonWriter& json, const LadderGrid& g, const std::vector<CircuitMend>& mended) {
  json.Key("ladder");
  json.BeginObject();
  json.Key("sumTerms"), WriteCells(json, g.SumTerms);
  json.Key("sumWidth"), WriteInts(json, g.SumWidth);
  json.Key("sumTiles"), WriteSumTiles(json, g);
  json.Key("mainLength"), WriteInts(json, g.MainLength);
  json.Key("twoPartTerms"), WriteCells(json, g.TwoPartTerms);
  json.Key("resetWidth"), WriteInts(json, g.ResetWidth);
  json.Key("setEnd"), WriteInts(json, g.SetEnd);
  json.Key("twoPartTiles"), WriteTwoPartTiles(json, g);
  json.Key("mended");
  json.BeginArray();
  for (const CircuitMend& m : mended) {
    json.BeginObject();
    json.Key("family"), json.String(FamilyName(m.family));
    json.Key("slot"), json.Int(m.slot);
    json.Key("circuit"), json.String(m.circuit);
    json.Key("why"), json.String(m.why);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

void WriteDraw(JsonWriter& json, const CircuitViews& views, ViewButton lastView, const RecordingCanvas& canvas) {
  json.Key("draw");
  json.BeginObject();
  json.Key("view"), json.String(ViewButtonName(lastView));
  json.Key("ops");
  json.BeginArray();
  for (const CanvasOp& op : canvas.Ops()) {
    json.BeginObject();
    if (op.kind == CanvasOp::Kind::Tile) {
      json.Key("op"), json.String("tile");
      json.Key("slot"), json.Int(op.slot);
      json.Key("x"), json.Int(op.x);
      json.Key("y"), json.Int(op.y);
    } else {
      json.Key("op"), json.String("text");
      json.Key("x"), json.Int(op.x);
      json.Key("y"), json.Int(op.y);
      json.Key("text"), json.String(op.text);
    }
    json.EndObject();
  }
  json.EndArray();
  json.Key("enabled");
  json.BeginObject();
  for (ViewButton b : {ViewButton::ShowA, ViewButton::ShowB, ViewButton::ShowC, ViewButton::ShowD, ViewButton::ShowAll,
                       ViewButton::MachineState}) {
    json.Key(ViewButtonName(b)), json.Bool(views.Enabled(b));
  }
  json.EndObject();
  json.Key("current"), json.String(views.Current() ? ViewButtonName(*views.Current()) : "");
  json.EndObject();
}

int Inspect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto o =
      ParseCliOptions(args, {.flow = true, .answer = true, .state = true, .view = true, .parallel = true}, err);
  if (!o) return 2;
  RecordingCanvas canvas;
  CliSession session(o->answer, canvas, o->state);
  if (!Load(session, *o, err)) return 2;
  session.dialogs.messages.clear();
  EntryForm& form = session.form;
  form.autoCodes = o->autoCodes;
  const bool equationsFlow = o->flow == "equations";
  std::optional<ViewButton> lastView;
  if (equationsFlow) {
    form.ShowEquations();
  } else {
    lastView = RunCircuitFlow(session, *o);
  }
  const bool stopped = equationsFlow ? !session.eqView : !session.handedOver;

  JsonWriter json(out);
  json.BeginObject();
  json.Key("flow"), json.String(o->flow);
  json.Key("messages");
  json.BeginArray();
  for (const auto& m : session.dialogs.messages) {
    json.BeginObject();
    json.Key("title"), json.String(m.title);
    json.Key("text"), json.String(m.text);
    json.Key("answer"), json.String(AnswerText(m.answer));
    if (!m.context.empty()) json.Key("context"), json.String(m.context);
    json.EndObject();
  }
  json.EndArray();
  json.Key("stopped"), json.Bool(stopped);
  json.Key("auto"), json.Bool(form.autoCodes);
  json.Key("codes"), json.Strings(form.table().Codes);
  json.Key("targets");
  json.BeginArray();
  for (const auto& row : form.table().Targets) json.Strings(row);
  json.EndArray();
  json.Key("triggers");
  json.BeginArray();
  for (const auto& row : form.table().Triggers) json.Strings(row);
  json.EndArray();
  WriteVars(json, form.synthesis);
  WriteEquationSet(json, session.equations);
  if (equationsFlow && session.eqView) WriteEquationView(json, *session.eqView);
  if (lastView) {
    WriteLadder(json, session.grid, session.views.Mended());
    WriteDraw(json, session.views, *lastView, canvas);
  }
  json.Key("design");
  json.BeginObject();
  json.Key("why");
  if (const auto why = AutoCodesWhy(session)) {
    json.String(*why);
  } else {
    json.Null();
  }
  json.Key("notes"), json.Strings(DesignNotes(form.table()));
  json.EndObject();
  json.EndObject();
  return 0;
}

int Equations(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto o = ParseCliOptions(args, {}, err);
  if (!o) return 2;
  RecordingCanvas canvas;
  CliSession session(Answer::Yes, canvas);
  if (!Load(session, *o, err)) return 2;
  session.dialogs.messages.clear();
  session.form.autoCodes = o->autoCodes;
  session.form.ShowEquations();
  for (const auto& m : session.dialogs.messages) {
    err << m.title << ": " << m.text << (m.context.empty() ? "" : " (" + m.context + ")")
        << (m.answer == Answer::Ok ? "" : std::string(" -> ") + AnswerText(m.answer)) << "\n";
  }
  if (!session.eqView) return 1;
  const EquationViewTexts& t = *session.eqView;
  out << o->file << "\n" << EquationRowsText(t);
  return 0;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << kUsage;
    return 2;
  }
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    out << kUsage;
    return 0;
  }
  if (command == "--version") {
    out << "kelvo16s-cli " << KELVO_VERSION << "\n";
    return 0;
  }
  if (command == "inspect") return Inspect(args, out, err);
  using Command = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);
  const Command textCommand = command == "equations"  ? Equations
                              : command == "check"    ? Check
                              : command == "simulate" ? Simulate
                              : command == "codes"    ? Codes
                                                      : nullptr;
  if (textCommand) {
    // These print user text: its control characters are shown as escapes, the JSON is left as written.
    const bool json = std::find(args.begin(), args.end(), "--json") != args.end();
    std::ostringstream text, errors;
    const int status = textCommand(args, text, errors);
    out << (json ? text.str() : VisibleText(text.str()));
    err << VisibleText(errors.str());
    return status;
  }
  if (command == "render") return Render(args, out, err);
  if (command == "diagram") return Diagram(args, out, err);
  if (command == "plc") return Plc(args, out, err);
  if (command == "report") return Report(args, out, err);
  err << "kelvo16s-cli: unknown command '" << command << "'\n" << kUsage;
  return 2;
}

}  // namespace kelvo
