#include "cli/CliApp.h"

namespace kelvo {
namespace {

constexpr const char* kUsage =
    "Usage: kelvo16s-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  --help       show this text\n"
    "  --version    show the version\n";

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
  err << "kelvo16s-cli: unknown command '" << command << "'\n" << kUsage;
  return 2;
}

}  // namespace kelvo
