#pragma once
// `kelvo16s-cli simulate`: runs the machine on its drawn circuits. Each step
// of --steps sets switches ("X1=1,X3=0"), the relays settle, and the moves,
// the relay code and the state reached are printed (text, or JSON with
// --json), with critical races and oscillation named. Exit status 0 when
// every step settled, 1 when one did not, 2 on a bad file or step text.

#include <ostream>
#include <string>
#include <vector>

#include "common/Fault.h"

namespace kelvo {

int Simulate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

struct SwitchSetting {
  std::string name;
  bool on;
};
// "X1=1; X1=0; X2=1,X3=0" into steps; nullopt-like empty result with `why`
// set when the text is not such a list.
Result<std::vector<std::vector<SwitchSetting>>> ParseSimulationSteps(const std::string& text);

}  // namespace kelvo
