#pragma once
// `kelvo16s-cli report FILES...|DIR [--auto] [--parallel] [-o report.html]
// [--csv summary.csv]`: the class report (ClassReport) of the files given, or
// of the states files of a folder, written as one HTML page and, with --csv,
// its summary as CSV. On a terminal a progress bar with counts goes to
// stderr. Exit status 0 when every file was read, 1 when some could not be,
// 2 when the options are wrong or the page cannot be written.

#include <ostream>
#include <string>
#include <vector>

namespace kelvo {

int Report(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kelvo
