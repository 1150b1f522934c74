#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliApp.h"
#include "statediagram/StatesFile.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::TempDir;

using Result = testing::CliResult;
using testing::Cli;

StateDiagram Ring(int states) {
  StateDiagram d;
  for (int s = 0; s < states; ++s) {
    d.Targets[s][0] = "S" + std::to_string((s + 1) % states);
    d.Triggers[s][0] = "X" + std::to_string(s + 1);
  }
  return d;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(CliCodes, StatusOutputAndTheChangedTable) {
  TempDir dir;
  const std::string ring = dir.File("ring3.sfi"), coded = dir.File("coded.sfi");
  ASSERT_TRUE(WriteStatesFile(ring, Ring(3)));
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string part;
  };
  const std::vector<Case> cases = {
      {{"codes", ring}, 1, "S0 -> S1 -> S2 -> S0 is a cycle of three transitions."},
      {{"codes", ring, "--transit"}, 0, "  S3 0010 \"S2 -> S0 (transit)\"\n"},
      {{"codes", ring, "--transit", "--json"},
       0,
       R"J("transits":[{"state":"S3","code":"0010","comment":"S2 -> S0 (transit)","target":"S0","trigger":"X3",)J"
       R"J("sources":["S2"]}],"reason":null})J"},
      {{"codes", ring, "--json"}, 1, R"J({"found":false,"codes":["","",)J"},
      {{"codes", ring, "--transit", "-o", ring}, 2, ""},
      {{"codes", dir.File("missing.sfi")}, 2, ""},
      {{"codes", ring, "--transit", "-o", coded}, 0, ""},
      {{"check", coded}, 0, ""},
      {{"inspect", ring, "--auto"}, 0, R"J("design":{"why":"S0 -> S1 -> S2 -> S0 is a cycle of three)J"},
      {{"inspect", coded}, 0, R"J("design":{"why":null,"notes":[]}})J"},
  };
  for (const Case& c : cases) {
    const Result r = Cli(c.args);
    EXPECT_EQ(r.status, c.status) << c.args[0] << " " << c.args.back() << "\n" << r.out << r.err;
    EXPECT_TRUE(Has(r.out, c.part)) << r.out;
  }
  const auto written = ReadStatesFile(coded);
  ASSERT_TRUE(written);
  EXPECT_EQ(written->Comments[3], "S2 -> S0 (transit)");
  EXPECT_EQ(ReadStatesFile(ring)->Codes[0], "") << "the input is never written";
}

}  // namespace
}  // namespace kelvo
