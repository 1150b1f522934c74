#pragma once
// The "plc" command: loads a states file, runs "Circuit" as the program does
// and writes the drawn circuits for a PLC (PlcFile): PLCopen XML with a Ladder
// Diagram program, or Structured Text, by --lang or else by the output's
// extension. Exit status 0 when written, 1 when no circuit was drawn or it
// cannot be a program, 2 when the file cannot be read or written or the
// options are wrong.

#include <ostream>
#include <string>
#include <vector>

namespace kelvo {

int Plc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kelvo
