#include "equations/SwitchFunction.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

// Values by name: "X1" on, everything else off.
uint64_t On(VariableTable& table, std::initializer_list<const char*> names) {
  uint64_t values = 0;
  for (const char* n : names) values |= uint64_t{1} << table.Index(n);
  return values;
}

TEST(SwitchFunction, StateRelaysComeFirstAndNamesIgnoreCase) {
  VariableTable table;
  EXPECT_EQ(table.Index("a"), 0);
  EXPECT_EQ(table.Index("D"), 3);
  EXPECT_EQ(table.Index("x1"), 4);
  EXPECT_EQ(table.Index("X1"), 4);
  EXPECT_EQ(table.Index("dT"), table.Index("DT"));
  EXPECT_EQ(table.Name(4), "X1");
  EXPECT_EQ(table.Index("bottomLimit"), 6);
  EXPECT_EQ(table.Name(6), "bottomLimit");
  EXPECT_EQ(table.Index("BottomLimit"), 6);
  EXPECT_EQ(table.Name(6), "BottomLimit");
  EXPECT_EQ(table.Index("bottomlimit"), 6);
  EXPECT_EQ(table.Name(6), "BottomLimit");
  EXPECT_TRUE(ClosedWhenOn("X1"));
  EXPECT_FALSE(ClosedWhenOn("x1"));
}

TEST(SwitchFunction, SumsOfProducts) {
  struct Case {
    const char* text;
    std::initializer_list<const char*> on;
    bool expected;
  };
  const Case cases[] = {
      {"X1.b+A", {"X1"}, true}, {"X1.b+A", {"X1", "B"}, false}, {"X1.b+A", {"A", "B"}, true},
      {"x1", {}, true},         {"x1", {"X1"}, false},          {"", {"X1"}, false},
      {"X1.X2", {"X1"}, false}, {"X1.X2", {"X1", "X2"}, true},  {"dt+DT", {}, true},
  };
  for (const Case& c : cases) {
    VariableTable table;
    const SwitchFunction f = SwitchFunction::Parse(c.text, table);
    EXPECT_EQ(f.Evaluate(On(table, c.on)), c.expected) << c.text;
  }
}

TEST(SwitchFunction, TwoPartEquationsAreBothGroupsInSeries) {
  struct Case {
    const char* text;
    std::initializer_list<const char*> on;
    bool expected;
  };
  const Case cases[] = {
      {"X2|X1+A", {"X1"}, false}, {"X2|X1+A", {"X1", "X2"}, true}, {"X2|X1+A", {"A", "X2"}, true},
      {"X2|X1+A", {"A"}, false},  {"|X1", {"X1"}, true},           {"X2|", {"X2"}, false},
      {"|", {"X1"}, false},
  };
  for (const Case& c : cases) {
    VariableTable table;
    const SwitchFunction f = SwitchFunction::ParseTwoPart(c.text, table);
    EXPECT_EQ(f.Evaluate(On(table, c.on)), c.expected) << c.text;
  }
}

TEST(SwitchFunction, VariablesMaskAndFullTable) {
  VariableTable table;
  const SwitchFunction f = SwitchFunction::Parse("X1.b+A", table);
  EXPECT_EQ(f.Variables(), (uint64_t{1} << 4) | 0b11);
  for (int i = table.Size(); i < kMaxVariables; ++i) EXPECT_GE(table.Index("S" + std::to_string(i)), 0);
  EXPECT_FALSE(table.Full());
  EXPECT_EQ(table.Index("ONE_TOO_MANY"), -1);
  EXPECT_TRUE(table.Full());
}

}  // namespace
}  // namespace kelvo
