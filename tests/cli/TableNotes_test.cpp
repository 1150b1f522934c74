#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliApp.h"
#include "cli/VisibleText.h"
#include "statediagram/StatesFile.h"
#include "support/Tables.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::TempDir;

TEST(VisibleText, ControlAndFormatCharactersAreEscaped) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"PASS S0\n", "PASS S0\n"},
      {"a\x01" "b", "a\\x01b"},
      {std::string("X\0Y", 3), "X\\x00Y"},
      {"\x1B[2K\rFAIL", "\\x1B[2K\\x0DFAIL"},
      {"\xC2\x9B" "1m", "\\u009B1m"},
      {"T1\xE2\x80\xAE", "T1\\u202E"},
      {"caf\xC3\xA9 \xC2\xA0", "caf\xC3\xA9 \xC2\xA0"},
      {"\xFF", "\\xFF"},
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(VisibleText(text), shown);
}

struct CliRun {
  int status;
  std::string out, err;
};

CliRun Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

// The latch with its return transition given twice: the flows note it, and
// check takes the two as one transition, not as overlapping triggers.
TEST(TableNotes, RepeatedTransitionIsNotedAndChecksAsOne) {
  TempDir dir;
  StateDiagram d = testing::Latch();
  d.Targets[1][1] = "S0";
  d.Triggers[1][1] = "x2";
  ASSERT_TRUE(WriteStatesFile(dir.File("t.sfi"), d));
  const std::string note =
      "State S1 (transition 2) goes to S0 on \"x2\", as transition 1 does: the second is the same transition.";
  const CliRun inspect = Cli({"inspect", dir.File("t.sfi")});
  const std::string noteInJson = R"J(S0 on \"x2\", as transition 1 does: the second is the same transition.")J";
  EXPECT_NE(inspect.out.find(noteInJson), std::string::npos)
      << inspect.out;
  const CliRun check = Cli({"check", dir.File("t.sfi")});
  EXPECT_EQ(check.status, 0) << check.out;
  EXPECT_NE(check.out.find("NOTE " + note + "\n"), std::string::npos) << check.out;
  EXPECT_EQ(check.out.find("overlapping"), std::string::npos) << check.out;
}

// A comment holding a terminal escape is refused, and the refusal shows it escaped.
TEST(TableNotes, ControlCharactersInMessagesAreShownEscaped) {
  TempDir dir;
  StateDiagram d = testing::Latch();
  d.Comments[1] = "\x1B[2J";
  ASSERT_TRUE(WriteStatesFile(dir.File("t.sfi"), d));
  const CliRun check = Cli({"check", dir.File("t.sfi")});
  EXPECT_EQ(check.status, 1);
  EXPECT_NE(check.err.find("State S1 has a comment that cannot be taken: it holds U+001B, a control character."),
            std::string::npos)
      << check.err;
  const CliRun equations = Cli({"equations", dir.File("t.sfi")});
  EXPECT_EQ(equations.err.find('\x1B'), std::string::npos);
}

}  // namespace
}  // namespace kelvo
