#pragma once
// The "codes" command: codes for a states file in which every transition
// changes one digit (S0 = 0000), with --transit the fewest transit states
// that make such codes exist, as "Assign Codes with Transit States" finds
// them. Prints the codes and the states added (text, or JSON with --json),
// or why there are none; -o writes the changed table to another file.
// Exit status 0 when codes were found, 1 when not, 2 on a bad file or options.

#include <ostream>
#include <string>
#include <vector>

namespace kelvo {

int Codes(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kelvo
