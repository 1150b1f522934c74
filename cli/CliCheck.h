#pragma once
// The "check" command: loads a states file, runs "Circuit" as the program
// does, checks the drawn circuits (CheckCircuit) and prints a line per finding
// and a summary. Exit status 0 when everything passes, 1 when something fails
// or no circuit was drawn, 2 when the file cannot be read.

#include <ostream>
#include <string>
#include <vector>

#include "analysis/CircuitCheck.h"

namespace kelvo {

int Check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// The report as text: a line per finding, then "N passed, M failed".
void WriteCheckReport(const CheckReport& report, std::ostream& out);

}  // namespace kelvo
