#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliApp.h"

namespace kelvo {
namespace {

int RunCheck(std::vector<std::string> args, std::string& out, std::string& err) {
  std::ostringstream o, e;
  const int status = RunCli(args, o, e);
  out = o.str();
  err = e.str();
  return status;
}

TEST(CliCheck, ExamplesPassInBothForms) {
  for (const char* file : {"two-state-latch.sfi", "four-state-cycle.sfi"}) {
    for (bool parallel : {false, true}) {
      std::vector<std::string> args{"check", std::string(KELVO_TEST_DATA) + "/" + file};
      if (parallel) args.push_back("--parallel");
      std::string out, err;
      EXPECT_EQ(RunCheck(args, out, err), 0) << file << " " << parallel << "\n" << out << err;
      EXPECT_NE(out.find(" passed, 0 failed\n"), std::string::npos) << out;
      EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
      EXPECT_NE(out.find("PASS S0 -> S1 on "), std::string::npos) << out;
    }
  }
}

TEST(CliCheck, UnreadableFileAndBadOptions) {
  std::string out, err;
  EXPECT_EQ(RunCheck({"check", "/nonexistent/none.sfi"}, out, err), 2);
  EXPECT_EQ(RunCheck({"check"}, out, err), 2);
  EXPECT_EQ(RunCheck({"check", std::string(KELVO_TEST_DATA) + "/two-state-latch.sfi", "--view", "a"}, out, err), 2);
}

}  // namespace
}  // namespace kelvo
