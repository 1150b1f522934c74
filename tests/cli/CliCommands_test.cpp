#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/CliApp.h"
#include "cli/CliSession.h"
#include "fuzz/FuzzTable.h"
#include "ladder/RecordingCanvas.h"
#include "statediagram/StatesFile.h"
#include "support/CliRun.h"
#include "support/Tables.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::TempDir;

using Result = testing::CliResult;
using testing::Cli;

std::string Example(const std::string& name) { return std::string(KELVO_TEST_DATA) + "/" + name; }

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(Inspect, EquationsFlowOfTheLatch) {
  const auto r = Cli({"inspect", Example("two-state-latch.sfi"), "--flow", "equations"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(
      Has(r.out, R"J({"flow":"equations","messages":[],"stopped":false,"auto":false,"codes":["0000","0001",)J"));
  EXPECT_TRUE(Has(r.out, R"J("A":{"set":"X1","reset":"x2","complementedReset":"X2","setWithHold":"X1+A",)J"
                         R"J("sigma":"Σ( x2 )( X1 + A )","factored":"( X2 )( X1 + A )","final":"X1.X2+A.X2"})J"));
  EXPECT_TRUE(Has(r.out, R"J("equationSet":{"eqA":"","eqB":"","eqC":"","eqD":"","eqParA":"X2|X1+A","eqParB":"|")J"));
  EXPECT_TRUE(Has(r.out, R"J("eqView":{"OnALbl":"X1+A",)J"));
  EXPECT_TRUE(Has(r.out, R"J("AFunc":"A =  Σ( x2 )( X1 + A ) = ( X2 )( X1 + A )",)J"));
  EXPECT_TRUE(Has(r.out, R"J("DFunc":"D =  - = -","FinalA":"  = X1.X2+A.X2")J"));
}

TEST(Inspect, CircuitFlowAndItsQuestions) {
  TempDir dir;
  StateDiagram d = testing::Latch();
  d.Triggers[1][0].clear();  // no trigger: the 'VarF' question
  ASSERT_TRUE(WriteStatesFile(dir.File("t.sfi"), d));

  auto yes = Cli({"inspect", dir.File("t.sfi")});
  EXPECT_EQ(yes.status, 0);
  EXPECT_TRUE(Has(yes.out,
                  R"J("messages":[{"title":"Possible Field Error","text":"Field 'VarF' has not been completed. )J"
                  R"J(Do you want to continue Removing it?","answer":"yes","context":"state S1, transition 1"}],)J"
                  R"J("stopped":false)J"));
  EXPECT_TRUE(Has(yes.out, R"J("eqParA":"|X1+A")J"));
  EXPECT_FALSE(Has(yes.out, "eqView"));

  auto no = Cli({"inspect", dir.File("t.sfi"), "--answer", "no", "--state", "1"});
  EXPECT_EQ(no.status, 0);
  EXPECT_TRUE(Has(no.out, R"J("answer":"no","context":"state S1, transition 1"}],"stopped":true)J"));
  EXPECT_TRUE(Has(no.out, R"J("final":""}})J"));
}

TEST(Inspect, BadInputNeverCrashes) {
  TempDir dir;
  // A target outside the table, with and without automatic codes.
  StateDiagram d;
  d.Clear();
  d.Codes[0] = "0000";
  d.Targets[0][0] = "S77";
  d.Triggers[0][0] = "X";
  ASSERT_TRUE(WriteStatesFile(dir.File("bad.sfi"), d));
  for (const char* flow : {"circuit", "equations"}) {
    const auto r = Cli({"inspect", dir.File("bad.sfi"), "--flow", flow, "--auto"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Has(r.out, "\\\"S77\\\", which is not one of the states S0 to S15")) << r.out;
    EXPECT_TRUE(Has(r.out, R"J("stopped":true)J"));
  }

  // A missing file: a message on stderr, status 2, nothing on stdout.
  const auto missing = Cli({"inspect", dir.File("none.sfi")});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "Unknown Error while opening file " + dir.File("none.sfi") + "\n");

  for (const auto& args : std::vector<std::vector<std::string>>{{"inspect"},
                                                                {"inspect", "x.sfi", "--state", "16"},
                                                                {"inspect", "x.sfi", "--flow"},
                                                                {"inspect", "x.sfi", "--view", "e"},
                                                                {"inspect", "x.sfi", "--bogus"},
                                                                {"equations", "x.sfi", "--flow", "circuit"}}) {
    EXPECT_EQ(Cli(args).status, 2);
  }
}

TEST(Equations, RowsForAPerson) {
  const auto r = Cli({"equations", Example("four-state-cycle.sfi")});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(Has(r.out,
                  "  On A  = X1.b+A\n  Off A  = X3.B\n  A =  Σ( X3.B )( X1.b + A ) = ( x3+b )( X1.b + A )\n"
                  "    = A.x3+X1.b+A.b\n"));
  const auto stopped = Cli({"equations", Example("garage-door.sfi")});  // no codes, no Auto
  EXPECT_EQ(stopped.status, 1);
  EXPECT_EQ(stopped.err, "Kelvo 16s: Check the DCBA 'Auto' Box or complete the DCBA text Box (state S0)\n");
}

}  // namespace
}  // namespace kelvo

namespace kelvo {
namespace {

// Found by the circuit fuzz target: a table whose clean-up once took seconds
// (absorption compared every pair of a long sum as text). The whole road,
// every view in both forms, must finish.
TEST(FuzzFindings, SlowAbsorptionTable) {
  const std::string bytes =
      testing::ReadBytes(std::string(KELVO_TEST_DATA) + "/../tests/data/circuit-slow-absorption.bin");
  ASSERT_FALSE(bytes.empty());
  RecordingCanvas canvas;
  CliSession session(static_cast<unsigned char>(bytes[0]) & 2 ? Answer::Yes : Answer::No, canvas,
                     (static_cast<unsigned char>(bytes[0]) >> 4) & 15);
  session.form.OpenTable(TableFromFuzzInput(std::string_view(bytes).substr(1)));
  session.form.ShowStatePage();
  session.form.autoCodes = bytes[0] & 1;
  session.form.DrawCircuit();
  for (bool parallel : {false, true}) {
    session.views.parallelForm = parallel;
    for (ViewButton b : kAllViewButtons) session.views.Show(b);
  }
  SUCCEED();
}

// `diagram` writes SVG, PNG and PDF; the SVG holds every state name and
// trigger as text. Any other name, or a file that cannot be read, is refused.
TEST(Diagram, WritesTheStateDiagramAsSvgPngAndPdf) {
  TempDir dir;
  for (const char* name : {"traffic-light.sfi", "garage-door.sfi"}) {
    const auto table = ReadStatesFile(Example(name));
    ASSERT_TRUE(table);
    const std::string svg = dir.File("d.svg");
    ASSERT_EQ(Cli({"diagram", Example(name), "-o", svg}).status, 0);
    std::ifstream in(svg);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("<svg"), std::string::npos);
    for (int s = 0; s < kStateCount; ++s) {
      for (int j = 0; j < kSlotCount; ++j) {
        if (table->Triggers[s][j].empty()) continue;
        EXPECT_NE(text.find(">S" + std::to_string(s) + "<"), std::string::npos) << name << " S" << s;
        EXPECT_NE(text.find(">" + table->Triggers[s][j] + "<"), std::string::npos) << table->Triggers[s][j];
      }
    }
  }
  EXPECT_EQ(Cli({"diagram", Example("garage-door.sfi"), "--auto", "-o", dir.File("d.png")}).status, 0);
  EXPECT_EQ(Cli({"diagram", Example("garage-door.sfi"), "-o", dir.File("d.pdf")}).status, 0);
  std::ifstream pdf(dir.File("d.pdf"));
  std::string head(5, ' ');
  pdf.read(head.data(), 5);
  EXPECT_EQ(head, "%PDF-");
  const auto bmp = Cli({"diagram", Example("garage-door.sfi"), "-o", dir.File("d.bmp")});
  EXPECT_EQ(bmp.status, 2);
  EXPECT_NE(bmp.err.find(".png, .svg or .pdf"), std::string::npos);
  EXPECT_EQ(Cli({"diagram", dir.File("missing.sfi"), "-o", dir.File("e.svg")}).status, 2);
}

std::string PipedOutput(const std::string& command) {
  std::string bytes;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return bytes;
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) bytes.append(buffer, got);
  ::pclose(pipe);
  return bytes;
}

// "-o -" and "-o /dev/stdout" put the picture alone on standard output: from
// the tool into a pipe, and (the diagram, which needs no tile images) through
// RunCli's stream as the same bytes.
TEST(Render, StandardOutputGetsThePictureAlone) {
  const struct {
    std::string command, output, head;
  } cases[] = {
      {"render", "-", "BM"},
      {"render", "/dev/stdout", "BM"},
      {"diagram", "-", "<?xml"},
      {"diagram", "/dev/stdout", "<?xml"},
  };
  for (const auto& c : cases) {
    const std::string piped = PipedOutput(std::string(KELVO_CLI_PATH) + " " + c.command + " '" +
                                          Example("traffic-light.sfi") + "' -o " + c.output + " 2>/dev/null");
    EXPECT_EQ(piped.substr(0, c.head.size()), c.head) << c.command << " " << c.output;
    if (c.command == "diagram") {
      EXPECT_TRUE(Cli({c.command, Example("traffic-light.sfi"), "-o", c.output}).out == piped);
    }
  }
}

// `simulate`: the traffic light round its cycle in text and JSON; an
// oscillating table exits 1; bad steps, unknown switches and bad files exit 2.
TEST(Simulate, RunsTheMachineOnItsDrawing) {
  const auto text = Cli({"simulate", Example("traffic-light.sfi"), "--steps",
                         "T1=1; T1=0; T2=1; T2=0; T3=1,Car=1; T3=0,Car=0; T5=1; T5=0"});
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_TRUE(Has(text.out, "start: 0000 S0: Red\nstep 1: T1=1\n  A picks up: T1 closed the path "));
  EXPECT_TRUE(Has(text.out, "step 5: T3=1, Car=1\n"));
  EXPECT_TRUE(Has(text.out, "0011 S2: Green\n"));
  EXPECT_TRUE(Has(text.out, "step 8: T5=0\n  0000 S0: Red\n  outputs ON: Red\n"));

  const auto json =
      Cli({"simulate", Example("traffic-light.sfi"), "--parallel", "--from", "S2", "--json", "--steps", "T3=1,Car=1"});
  EXPECT_EQ(json.status, 0);
  EXPECT_TRUE(Has(json.out, R"J({"form":"parallel","switches":[)J"));
  EXPECT_TRUE(
      Has(json.out, R"J("start":"0011","steps":[{"set":{"T3":true,"Car":true},"moves":[{"relay":"A","to":0,)J"));
  EXPECT_TRUE(Has(json.out, R"J("code":"0010","state":"S3","text":"S3: Amber","outputs":["Amber"],"settled":true,)J"
                            R"J("oscillates":false,"race":[],"transit":[],"stuck":null}],"settled":true})J"));

  TempDir dir;
  const StateDiagram d = testing::GrayRingOnX1();
  ASSERT_TRUE(WriteStatesFile(dir.File("ring.sfi"), d));
  const auto ring = Cli({"simulate", dir.File("ring.sfi"), "--steps", "X1=1", "--json"});
  EXPECT_EQ(ring.status, 1);
  EXPECT_TRUE(Has(ring.out, R"J("settled":false,"oscillates":true)J"));

  // Through the transit state S3 on the way back to S0; without its way out it keeps the machine.
  StateDiagram transit = testing::TransitRing();
  ASSERT_TRUE(WriteStatesFile(dir.File("transit.sfi"), transit));
  const std::string round = "X1=1; X1=0; X2=1; X2=0; X3=1";
  const auto through = Cli({"simulate", dir.File("transit.sfi"), "--steps", round});
  EXPECT_EQ(through.status, 0) << through.err;
  EXPECT_TRUE(Has(through.out,
                  "  A drops out: no path to its coil conducts\n  passes S3 (transit) on the way to S0\n"
                  "  B drops out: no path to its coil conducts\n  0000 S0\n"));
  EXPECT_TRUE(Has(Cli({"simulate", dir.File("transit.sfi"), "--steps", round, "--json"}).out,
                  R"J("race":[],"transit":["S3"],"stuck":null}],"settled":true})J"));
  transit.Targets[3][0].clear();
  transit.Triggers[3][0].clear();
  ASSERT_TRUE(WriteStatesFile(dir.File("dead-end.sfi"), transit));
  const auto kept = Cli({"simulate", dir.File("dead-end.sfi"), "--steps", round});
  EXPECT_TRUE(Has(kept.out,
                  "  0010 S3: S2 -> S0 (transit)\n"
                  "  stuck in S3 (transit): it is meant to be passed through, but it has no way out\n"));

  EXPECT_EQ(Cli({"simulate", Example("traffic-light.sfi"), "--steps", "T1=2"}).status, 2);
  EXPECT_EQ(Cli({"simulate", Example("traffic-light.sfi"), "--steps", "Nope=1"}).status, 2);
  EXPECT_EQ(Cli({"simulate", Example("traffic-light.sfi")}).status, 2);
  EXPECT_EQ(Cli({"simulate", Example("traffic-light.sfi"), "--from", "S16", "--steps", "T1=1"}).status, 2);
  EXPECT_EQ(Cli({"simulate", dir.File("missing.sfi"), "--steps", "T1=1"}).status, 2);
}

// Switches are named as the table spells them; what cannot be simulated as
// asked is refused, naming why.
TEST(Simulate, RefusesWhatItCannotRunAsAsked) {
  const auto lower = Cli({"simulate", Example("traffic-light.sfi"), "--json", "--steps", "t1=1"});
  EXPECT_TRUE(Has(lower.out, R"J("set":{"T1":true})J")) << lower.out;
  TempDir dir;
  ASSERT_TRUE(WriteStatesFile(dir.File("latch.sfi"), testing::Latch()));
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const std::string latch = dir.File("latch.sfi"), light = Example("traffic-light.sfi");
  for (const Case& c : std::vector<Case>{
           {{latch, "--from", "S5", "--steps", "X1=1"}, "--from: S5 has no complete code in " + latch},
           {{light, "--steps", "T1=1; T1=1,t1=0"}, "--steps: step 2 sets T1 twice"},
           {{light, "--steps", "T1=1", "--steps", "T1=0"}, "option --steps is given twice"},
           {{light, "--json", "--steps", "T1=1", "--json"}, "option --json is given twice"},
           {{light, "--steps", std::string(120'000, 'Q') + "=1"}, "no switch named " + std::string(80, 'Q') + "... in"},
       }) {
    std::vector<std::string> args{"simulate"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto run = Cli(args);
    SCOPED_TRACE(c.err);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Has(run.err, c.err)) << run.err.substr(0, 300);
    EXPECT_LT(run.err.size(), 400u);
  }
}

}  // namespace
}  // namespace kelvo
