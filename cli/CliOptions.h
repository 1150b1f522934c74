#pragma once
// The options the companion tool's commands share.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/UserDialogs.h"
#include "session/CircuitViews.h"

namespace kelvo {

struct CliOptions {
  std::string file;
  std::string flow = "circuit";
  bool autoCodes = false;
  Answer answer = Answer::Yes;
  int state = 0;
  std::string view = "all";
  bool parallel = false;
  std::string output;
  int from = 0;       // simulate: the state to start in
  std::string steps;  // simulate: "X1=1; X1=0; X2=1,X3=0"
  bool json = false;
  std::string lang;      // plc: "ld" or "st"; empty: by the output's extension
  bool transit = false;  // codes: transit states may be added
};

// Which options a command takes besides FILE and --auto.
struct CliOptionSet {
  bool flow = false, answer = false, state = false, view = false, parallel = false, output = false;
  bool simulate = false;  // --from, --steps, --json
  bool lang = false;
  bool codes = false;  // --transit, --json, an optional -o
};

// Parses args[1..]; nullopt after telling `err` what is wrong (also for an
// option given twice).
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, CliOptionSet allowed,
                                          std::ostream& err);
// A text from the command line as a message quotes it: at most
// kMaxEchoedCharacters characters, then "...".
inline constexpr size_t kMaxEchoedCharacters = 80;
std::string Echoed(const std::string& text);
// "-o -" and "-o /dev/stdout": the output goes to the tool's own standard output.
bool IsStandardOutput(const std::string& output);
// "all", "a".."d", "machine" to the view button.
ViewButton ViewFromOption(const std::string& view);

}  // namespace kelvo
