#include "cli/CliApp.h"

#include <charconv>
#include <optional>

#include "cli/CliSession.h"
#include "cli/JsonWriter.h"

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
    "  --help           show this text\n"
    "  --version        show the version\n"
    "\n"
    "Every question of a flow is answered Yes unless --answer no is given.\n"
    "Exit status: 0 when the file loaded, 2 when it could not be read or the options are wrong\n"
    "(equations: 1 when the flow stopped before the equations).\n";

struct Options {
  std::string file;
  std::string flow = "circuit";
  bool autoCodes = false;
  Answer answer = Answer::Yes;
  int state = 0;
  std::string view = "all";
  bool parallel = false;
};

std::optional<Options> ParseOptions(const std::vector<std::string>& args, bool forInspect, std::ostream& err) {
  Options o;
  const auto fail = [&](const std::string& what) {
    err << "kelvo16s-cli: " << what << "\n";
    return std::nullopt;
  };
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--auto") {
      o.autoCodes = true;
    } else if (forInspect && a == "--parallel") {
      o.parallel = true;
    } else if (forInspect && (a == "--flow" || a == "--answer" || a == "--state" || a == "--view")) {
      if (!hasValue) return fail("option " + a + " needs a value");
      const std::string& v = args[++i];
      if (a == "--flow") {
        if (v != "circuit" && v != "equations") return fail("--flow must be circuit or equations");
        o.flow = v;
      } else if (a == "--answer") {
        if (v != "yes" && v != "no") return fail("--answer must be yes or no");
        o.answer = v == "yes" ? Answer::Yes : Answer::No;
      } else if (a == "--state") {
        const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), o.state);
        if (ec != std::errc{} || end != v.data() + v.size() || !IsValidState(o.state)) {
          return fail("--state must be a number from 0 to 15");
        }
      } else {
        if (v != "all" && v != "a" && v != "b" && v != "c" && v != "d" && v != "machine") {
          return fail("--view must be all, a, b, c, d or machine");
        }
        o.view = v;
      }
    } else if (!a.empty() && a[0] == '-') {
      return fail("unknown option '" + a + "'");
    } else if (o.file.empty()) {
      o.file = a;
    } else {
      return fail("more than one file given");
    }
  }
  if (o.file.empty()) return fail("no states file given");
  return o;
}

const char* AnswerText(Answer a) {
  switch (a) {
    case Answer::Yes: return "yes";
    case Answer::No: return "no";
    default: return "ok";
  }
}

bool Load(CliSession& session, const Options& o, std::ostream& err) {
  if (session.form.LoadStatesFrom(o.file)) return true;
  for (const auto& m : session.dialogs.messages) err << m.text << "\n";
  return false;
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
  for (int x = 0; x < kStateVariables; ++x) json.Key(std::string("eq") + VariableLetter(x)), json.String(e.eq[x]);
  for (int x = 0; x < kStateVariables; ++x) json.Key(std::string("eqPar") + VariableLetter(x)), json.String(e.eqPar[x]);
  json.Key("eqCoil"), json.Strings(e.eqCoil);
  json.Key("nmCoil"), json.Strings(e.NmCoil);
  json.EndObject();
}

void WriteEquationView(JsonWriter& json, const EquationViewTexts& t) {
  json.Key("eqView");
  json.BeginObject();
  for (int x = 0; x < kStateVariables; ++x) json.Key(std::string("On") + VariableLetter(x) + "Lbl"), json.String(t.On[x]);
  for (int x = 0; x < kStateVariables; ++x) json.Key(std::string("Off") + VariableLetter(x) + "Lbl"), json.String(t.Off[x]);
  for (int x = 0; x < kStateVariables; ++x) json.Key(std::string(1, VariableLetter(x)) + "Func"), json.String(t.Func[x]);
  for (int x = 0; x < kStateVariables; ++x) json.Key(std::string("Final") + VariableLetter(x)), json.String(t.Final[x]);
  json.EndObject();
}

int Inspect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto o = ParseOptions(args, true, err);
  if (!o) return 2;
  CliSession session(o->answer, o->state);
  if (!Load(session, *o, err)) return 2;
  session.dialogs.messages.clear();
  StatesIn& form = session.form;
  form.dcbaAuto = o->autoCodes;
  const bool equationsFlow = o->flow == "equations";
  if (equationsFlow) {
    form.FinishButton_Click();
  } else {
    form.CircExt_Click();
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
    json.EndObject();
  }
  json.EndArray();
  json.Key("stopped"), json.Bool(stopped);
  json.Key("auto"), json.Bool(form.dcbaAuto);
  json.Key("codes"), json.Strings(form.diagram.Codes);
  json.Key("targets");
  json.BeginArray();
  for (const auto& row : form.diagram.Targets) json.Strings(row);
  json.EndArray();
  json.Key("triggers");
  json.BeginArray();
  for (const auto& row : form.diagram.Triggers) json.Strings(row);
  json.EndArray();
  WriteVars(json, form.synthesis);
  WriteEquationSet(json, session.equations);
  if (equationsFlow && session.eqView) WriteEquationView(json, *session.eqView);
  json.EndObject();
  return 0;
}

int Equations(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto o = ParseOptions(args, false, err);
  if (!o) return 2;
  CliSession session(Answer::Yes);
  if (!Load(session, *o, err)) return 2;
  session.dialogs.messages.clear();
  session.form.dcbaAuto = o->autoCodes;
  session.form.FinishButton_Click();
  for (const auto& m : session.dialogs.messages) {
    err << m.title << ": " << m.text << (m.answer == Answer::Ok ? "" : std::string(" -> ") + AnswerText(m.answer)) << "\n";
  }
  if (!session.eqView) return 1;
  const EquationViewTexts& t = *session.eqView;
  out << o->file << "\n";
  for (int x = 0; x < kStateVariables; ++x) {
    const char letter = VariableLetter(x);
    out << "  On " << letter << "  = " << t.On[x] << "\n";
    out << "  Off " << letter << "  = " << t.Off[x] << "\n";
    out << "  " << t.Func[x] << "\n";
    out << "  " << t.Final[x] << "\n";
  }
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
  if (command == "equations") return Equations(args, out, err);
  err << "kelvo16s-cli: unknown command '" << command << "'\n" << kUsage;
  return 2;
}

}  // namespace kelvo
