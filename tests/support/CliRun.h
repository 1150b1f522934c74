#pragma once
// The companion tool run in the test process: its exit status and what it
// wrote to each stream.

#include <sstream>
#include <string>
#include <vector>

#include "cli/CliApp.h"

namespace kelvo::testing {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

inline CliResult Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace kelvo::testing
