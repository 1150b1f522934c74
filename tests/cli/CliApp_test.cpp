#include "cli/CliApp.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kelvo {
namespace {

int RunTool(std::vector<std::string> args, std::string* out = nullptr, std::string* err = nullptr) {
  std::ostringstream o, e;
  const int status = RunCli(args, o, e);
  if (out) *out = o.str();
  if (err) *err = e.str();
  return status;
}

TEST(CliApp, HelpVersionAndUnknownCommands) {
  std::string out, err;
  EXPECT_EQ(RunTool({"--help"}, &out), 0);
  EXPECT_NE(out.find("Usage: kelvo16s-cli"), std::string::npos);
  EXPECT_EQ(RunTool({"--version"}, &out), 0);
  EXPECT_EQ(out, "kelvo16s-cli 1.0.0\n");
  EXPECT_EQ(RunTool({"frobnicate"}, &out, &err), 2);
  EXPECT_NE(err.find("unknown command"), std::string::npos);
  EXPECT_EQ(RunTool({}, &out, &err), 2);
}

}  // namespace
}  // namespace kelvo
