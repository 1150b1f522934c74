#pragma once
// The companion command-line tool `kelvo16s-cli`: the program's own flows run
// on files, with a non-interactive answerer in place of the message boxes.
// A function of (arguments, streams) returning the exit status, so tests call it.

#include <ostream>
#include <string>
#include <vector>

namespace kelvo {

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kelvo
