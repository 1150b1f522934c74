#include "cli/CliSimulate.h"

#include <set>

#include "analysis/MachineSimulation.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/JsonWriter.h"
#include "ladder/RecordingCanvas.h"

namespace kelvo {
namespace {

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

struct StepRun {
  std::vector<SwitchSetting> set;    // named as the table spells the switches
  std::vector<std::string> outputs;  // the output relays ON after the step
  SettleResult result;
  int code = 0;
  int state = -1;
  std::string text;
  std::string stuck;  // resting in a transit state: why that is a fault
};

std::string RaceText(const std::vector<int>& ends) {
  std::string text = "critical race: the order of the moves decides between";
  for (size_t i = 0; i < ends.size(); ++i)
    text += (i ? (i + 1 == ends.size() ? " and " : ", ") : " ") + RelayCodeText(ends[i]);
  return text + "; the relays moved in the order A, B, C, D";
}

void WriteText(std::ostream& out, const MachineSimulation& sim, const std::string& start,
               const std::vector<StepRun>& runs) {
  out << "start: " << start << "\n";
  for (size_t i = 0; i < runs.size(); ++i) {
    const StepRun& r = runs[i];
    out << "step " << i + 1 << ":";
    for (size_t k = 0; k < r.set.size(); ++k) out << (k ? ", " : " ") << r.set[k].name << "=" << (r.set[k].on ? 1 : 0);
    out << "\n";
    for (const auto& m : r.result.moves) {
      out << "  " << m.why << "\n";
      if (!m.passes.empty()) out << "  " << m.passes << "\n";
    }
    if (r.result.raceEnds.size() > 1) out << "  " << RaceText(r.result.raceEnds) << "\n";
    if (r.result.oscillates) {
      out << "  oscillates: still moving after " << MachineSimulation::kMaxMoves << " moves; stopped\n";
    }
    out << "  " << RelayCodeText(r.code) << " " << r.text << "\n";
    if (!r.stuck.empty()) out << "  " << r.stuck << "\n";
    out << "  outputs ON:";
    for (size_t k = 0; k < r.outputs.size(); ++k) out << (k ? ", " : " ") << r.outputs[k];
    out << (r.outputs.empty() ? " none\n" : "\n");
  }
  (void)sim;
}

void WriteJson(std::ostream& out, const MachineSimulation& sim, int startCode, const std::vector<StepRun>& runs,
               bool parallel) {
  JsonWriter json(out);
  json.BeginObject();
  json.Key("form"), json.String(parallel ? "parallel" : "two-part");
  json.Key("switches"), json.Strings(sim.Switches());
  json.Key("start"), json.String(RelayCodeText(startCode));
  json.Key("steps");
  json.BeginArray();
  bool settled = true;
  for (const StepRun& r : runs) {
    json.BeginObject();
    json.Key("set");
    json.BeginObject();
    for (const auto& s : r.set) json.Key(s.name), json.Bool(s.on);
    json.EndObject();
    json.Key("moves");
    json.BeginArray();
    for (const auto& m : r.result.moves) {
      json.BeginObject();
      json.Key("relay"), json.String(std::string(1, static_cast<char>('A' + m.relay)));
      json.Key("to"), json.Int(m.pickUp ? 1 : 0);
      json.Key("why"), json.String(m.why);
      json.EndObject();
    }
    json.EndArray();
    json.Key("code"), json.String(RelayCodeText(r.code));
    json.Key("state");
    if (r.state >= 0) {
      json.String("S" + std::to_string(r.state));
    } else {
      json.Null();
    }
    json.Key("text"), json.String(r.text);
    json.Key("outputs"), json.Strings(r.outputs);
    json.Key("settled"), json.Bool(r.result.settled);
    json.Key("oscillates"), json.Bool(r.result.oscillates);
    json.Key("race");
    json.BeginArray();
    if (r.result.raceEnds.size() > 1) {
      for (int end : r.result.raceEnds) json.String(RelayCodeText(end));
    }
    json.EndArray();
    json.Key("transit");
    json.BeginArray();
    for (const auto& m : r.result.moves) {
      if (m.transit >= 0) json.String("S" + std::to_string(m.transit));
    }
    json.EndArray();
    json.Key("stuck");
    if (r.stuck.empty()) {
      json.Null();
    } else {
      json.String(r.stuck);
    }
    json.EndObject();
    settled = settled && r.result.settled;
  }
  json.EndArray();
  json.Key("settled"), json.Bool(settled);
  json.EndObject();
  out << "\n";
}

}  // namespace

Result<std::vector<std::vector<SwitchSetting>>> ParseSimulationSteps(const std::string& text) {
  std::vector<std::vector<SwitchSetting>> steps;
  for (const std::string& stepText : Split(text, ';')) {
    if (Trim(stepText).empty()) continue;
    std::vector<SwitchSetting> step;
    for (const std::string& item : Split(stepText, ',')) {
      const std::string setting = Trim(item);
      const size_t equals = setting.find('=');
      const std::string name = Trim(setting.substr(0, equals));
      const std::string value = equals == std::string::npos ? "" : Trim(setting.substr(equals + 1));
      if (name.empty() || (value != "0" && value != "1")) {
        return Fault{"\"" + Echoed(setting) + "\" is not NAME=0 or NAME=1"};
      }
      step.push_back({name, value == "1"});
    }
    steps.push_back(std::move(step));
  }
  if (steps.empty()) return Fault{"no step given"};
  return steps;
}

int Simulate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto o = ParseCliOptions(args, {.parallel = true, .simulate = true}, err);
  if (!o) return 2;
  const auto steps = ParseSimulationSteps(o->steps);
  if (!steps) {
    err << "kelvo16s-cli: --steps: " << steps.why() << "\n";
    return 2;
  }
  RecordingCanvas canvas;
  CliSession session(Answer::Yes, canvas);
  const DrawnFrom drawn = DrawFromFile(session, *o, err);
  if (drawn == DrawnFrom::LoadFailed) return 2;
  if (drawn == DrawnFrom::Stopped) {
    err << "kelvo16s-cli: no circuit was drawn for " << o->file << "\n";
    return 2;
  }
  if (!IsCompleteCode(session.form.table().Codes[o->from])) {
    err << "kelvo16s-cli: --from: S" << o->from << " has no complete code in " << o->file << "\n";
    return 2;
  }
  MachineSimulation sim(session.form.table(), session.equations, session.grid, o->parallel);
  for (size_t n = 0; n < steps->size(); ++n) {
    std::set<int> set;
    for (const auto& s : (*steps)[n]) {
      const int i = sim.SwitchIndex(s.name);
      if (i < 0) {
        err << "kelvo16s-cli: --steps: no switch named " << Echoed(s.name) << " in " << o->file << "\n";
        return 2;
      }
      if (!set.insert(i).second) {
        err << "kelvo16s-cli: --steps: step " << n + 1 << " sets " << sim.Switches()[i] << " twice\n";
        return 2;
      }
    }
  }
  sim.Reset(o->from);
  const int startCode = sim.Code();
  const std::string start = RelayCodeText(startCode) + " " + sim.StateText();
  std::vector<StepRun> runs;
  bool settled = true;
  for (const auto& step : *steps) {
    StepRun run;
    for (const auto& s : step) {
      const int i = sim.SwitchIndex(s.name);
      sim.SetSwitch(i, s.on);
      run.set.push_back({sim.Switches()[i], s.on});
    }
    run.result = sim.Settle();
    for (int r = 0; r < kRelayCount; ++r) {
      if (!sim.OutputName(r).empty() && sim.OutputOn(r)) run.outputs.push_back(sim.OutputName(r));
    }
    run.code = sim.Code();
    run.state = sim.State();
    run.text = sim.StateText();
    run.stuck = sim.StuckText();
    settled = settled && run.result.settled;
    runs.push_back(std::move(run));
  }
  if (o->json) {
    WriteJson(out, sim, startCode, runs, o->parallel);
  } else {
    WriteText(out, sim, start, runs);
  }
  return settled ? 0 : 1;
}

}  // namespace kelvo
