#include "statediagram/DiagramLayout.h"

#include <gtest/gtest.h>

#include "statediagram/StatesFile.h"

namespace kelvo {
namespace {

const std::string kSource = KELVO_TEST_DATA "/..";

StateDiagram Read(const std::string& path) {
  auto table = ReadStatesFile(kSource + "/" + path);
  EXPECT_TRUE(table) << path;
  return table ? *table : StateDiagram{};
}

int Transitions(const StateDiagram& d) {
  int count = 0;
  for (int s = 0; s < kStateCount; ++s) {
    for (int j = 0; j < kSlotCount; ++j) count += !d.Targets[s][j].empty() || !d.Triggers[s][j].empty();
  }
  return count;
}

const DiagramNode& NodeOf(const DiagramLayout& layout, int state) {
  for (const auto& n : layout.nodes) {
    if (n.state == state) return n;
  }
  ADD_FAILURE() << "no bubble for S" << state;
  return layout.nodes.front();
}

// Every shipped example: one bubble per state in use, one arrow per
// transition (and the start arrow), the triggers as typed, every arrow ending
// at the bubble of its target.
TEST(DiagramLayout, EveryExampleHasABubblePerStateAndAnArrowPerTransition) {
  for (const char* file : {"examples/two-state-latch.sfi", "examples/four-state-cycle.sfi",
                           "examples/traffic-light.sfi", "examples/garage-door.sfi"}) {
    SCOPED_TRACE(file);
    const StateDiagram d = Read(file);
    const DiagramLayout layout = LayOutDiagram(d);
    ASSERT_TRUE(layout.error.empty()) << layout.error;
    EXPECT_EQ(layout.nodes.size(), StatesInUse(d).size());
    ASSERT_EQ(static_cast<int>(layout.edges.size()), Transitions(d) + 1);
    EXPECT_TRUE(layout.edges[0].start);
    EXPECT_GT(layout.width, 0);
    for (const auto& e : layout.edges) {
      ASSERT_GE(e.curve.size(), 4u);
      EXPECT_EQ((e.curve.size() - 1) % 3, 0u);
      EXPECT_TRUE(e.arrow);
      if (e.start) continue;
      EXPECT_EQ(e.label, d.Triggers[e.from][e.slot]);
      EXPECT_EQ(e.to, StateOfTarget(d.Targets[e.from][e.slot]));
      // The arrow head touches the target's ellipse.
      const DiagramNode& to = NodeOf(layout, e.to);
      const double dx = (e.arrowTip.x - to.center.x) / (to.width / 2);
      const double dy = (e.arrowTip.y - to.center.y) / (to.height / 2);
      EXPECT_NEAR(dx * dx + dy * dy, 1.0, 0.25) << "S" << e.from << " -> S" << e.to;
    }
    for (const auto& n : layout.nodes) {
      EXPECT_EQ(n.lines[0], "S" + std::to_string(n.state));
      EXPECT_EQ(n.lines[1], d.Codes[n.state].empty() ? "no code" : d.Codes[n.state]);
      EXPECT_EQ(layout.NodeAt(n.center.x, n.center.y), &n);
    }
  }
  // Relays ON in a state are named in its bubble.
  const DiagramLayout garage = LayOutDiagram(Read("examples/garage-door.sfi"));
  EXPECT_EQ(NodeOf(garage, 1).lines, (std::vector<std::string>{"S1", "no code", "MotorUp", "Light"}));
}

// Targets that name no state give red dangling arrows that say what was typed;
// a self transition is a loop; odd names go through Graphviz untouched.
TEST(DiagramLayout, WrongTargetsDangleAndLoopsReturn) {
  StateDiagram d;
  d.Codes[0] = "0000";
  d.Targets[0] = {"S17", "", "S0", "S1"};
  d.Triggers[0] = {"X1", "X2", "X3", "a\\b"};
  d.CoilNames[0] = "\\N \"quoted\"";
  d.CoilOn[0][0] = true;
  const DiagramLayout layout = LayOutDiagram(d);
  ASSERT_TRUE(layout.error.empty());
  EXPECT_EQ(layout.nodes.size(), 2u);  // S0 and S1
  ASSERT_EQ(layout.edges.size(), 5u);
  EXPECT_TRUE(layout.edges[1].bad);
  EXPECT_EQ(layout.edges[1].to, -1);
  EXPECT_EQ(layout.edges[1].label, "to \"S17\": X1");
  EXPECT_TRUE(layout.edges[2].bad);
  EXPECT_EQ(layout.edges[2].label, "no target: X2");
  EXPECT_FALSE(layout.edges[3].bad);
  EXPECT_EQ(layout.edges[3].to, 0);  // the loop
  EXPECT_EQ(layout.edges[4].label, "a\\b");
  EXPECT_EQ(NodeOf(layout, 0).lines.back(), "\\N \"quoted\"");
  EXPECT_TRUE(LayOutDiagram(StateDiagram{}).nodes.empty());
}

// A trigger the flows refuse for its size is labelled with its first 60
// characters and the refusal; so is a target as long.
TEST(DiagramLayout, RefusedTriggersAreShortenedAndSayWhy) {
  std::string longTrigger = "X1";
  while (longTrigger.size() < 48'089) longTrigger += ".X1";
  longTrigger.resize(48'089);
  const std::string sixty = longTrigger.substr(0, 60);
  StateDiagram d;
  d.Codes[0] = "0000";
  d.Targets[0] = {"S0", "S0", std::string(300, 'S'), "S0"};
  d.Triggers[0] = {std::string(200, 'X'), longTrigger, "X1",
                   "A" + std::string(58, 'b') + "\xc3\xa4" + std::string(200, 'c')};
  const DiagramLayout layout = LayOutDiagram(d);
  ASSERT_EQ(layout.edges.size(), 5u);
  EXPECT_FALSE(layout.edges[1].bad);
  EXPECT_EQ(layout.edges[1].label, std::string(200, 'X'));
  EXPECT_TRUE(layout.edges[2].bad);
  EXPECT_EQ(layout.edges[2].label,
            sixty + "... (refused: it has 48089 characters, more than the 200 a trigger may have)");
  EXPECT_EQ(layout.edges[3].label, "to \"" + std::string(60, 'S') + "...\": X1");
  const std::string cut = "A" + std::string(58, 'b') + "\xc3\xa4...";  // 60 characters, not 60 bytes
  EXPECT_EQ(layout.edges[4].label.substr(0, cut.size()), cut);
}

// Sixteen states with four transitions each: no two bubbles overlap.
TEST(DiagramLayout, SixteenStatesWithFourTransitionsEachDoNotOverlap) {
  const DiagramLayout layout = LayOutDiagram(Read("bench/tables/diagram-16x4.sfi"));
  ASSERT_TRUE(layout.error.empty());
  ASSERT_EQ(layout.nodes.size(), 16u);
  EXPECT_EQ(layout.edges.size(), 65u);
  for (size_t i = 0; i < layout.nodes.size(); ++i) {
    const DiagramNode& a = layout.nodes[i];
    EXPECT_GE(a.center.x - a.width / 2, -0.5);
    EXPECT_LE(a.center.x + a.width / 2, layout.width + 0.5);
    for (size_t j = i + 1; j < layout.nodes.size(); ++j) {
      const DiagramNode& b = layout.nodes[j];
      const bool apart = std::abs(a.center.x - b.center.x) >= (a.width + b.width) / 2 ||
                         std::abs(a.center.y - b.center.y) >= (a.height + b.height) / 2;
      EXPECT_TRUE(apart) << "S" << a.state << " and S" << b.state;
    }
  }
}

}  // namespace
}  // namespace kelvo
