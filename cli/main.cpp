#include <iostream>

#include "cli/CliApp.h"
#include "common/SafeFiles.h"

int main(int argc, char** argv) {
  kelvo::IgnoreFileSizeSignal();
  std::vector<std::string> args(argv + 1, argv + argc);
  return kelvo::RunCli(args, std::cout, std::cerr);
}
