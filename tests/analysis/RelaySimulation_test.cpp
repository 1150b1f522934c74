#include "analysis/RelaySimulation.h"

#include <gtest/gtest.h>

#include <set>

namespace kelvo {
namespace {

constexpr uint64_t kX1 = uint64_t{1} << 4;

bool Bit(uint64_t values, int i) { return (values >> i) & 1; }

TEST(RelaySimulation, SettlingOutcomes) {
  struct Case {
    const char* name;
    std::array<RelayCircuit, 4> circuits;
    int start;
    uint64_t switches;
    bool oscillates;
    std::vector<int> ends;
  };
  const RelayCircuit x1 = [](uint64_t v) { return Bit(v, 4); };
  const Case cases[] = {
      {"latch pulls in", {[](uint64_t v) { return Bit(v, 4) || Bit(v, 0); }}, 0, kX1, false, {1}},
      {"latch holds", {[](uint64_t v) { return Bit(v, 4) || Bit(v, 0); }}, 1, 0, false, {1}},
      {"two relays, no race", {x1, x1}, 0, kX1, false, {3}},
      {"critical race",
       {[](uint64_t v) { return Bit(v, 4) && !Bit(v, 1); }, [](uint64_t v) { return Bit(v, 4) && !Bit(v, 0); }},
       0,
       kX1,
       false,
       {1, 2}},
      {"buzzer", {[](uint64_t v) { return !Bit(v, 0); }}, 0, 0, true, {}},
      {"missing circuits stay off", {}, 0b1010, 0, false, {0}},
  };
  for (const Case& c : cases) {
    const Settling r = Settle(c.circuits, c.start, c.switches);
    EXPECT_EQ(r.oscillates, c.oscillates) << c.name;
    EXPECT_EQ(r.endCodes, c.ends) << c.name;
  }
}

TEST(RelaySimulation, UnstableRelaysAreThoseThatDisagree) {
  const std::array<RelayCircuit, 4> circuits{[](uint64_t) { return true; }, [](uint64_t) { return false; },
                                             [](uint64_t v) { return Bit(v, 4); }};
  EXPECT_EQ(UnstableRelays(circuits, 0b0000, 0), 0b0001);
  EXPECT_EQ(UnstableRelays(circuits, 0b0011, kX1), 0b0110);
  EXPECT_EQ(UnstableRelays(circuits, 0b1101, kX1), 0b1000);
}

TEST(RelaySimulation, SwitchSettingsAreExhaustiveThenSeeded) {
  bool sampled = true;
  const auto three = SwitchSettings(4, 7, &sampled);
  EXPECT_FALSE(sampled);
  EXPECT_EQ(std::set<uint64_t>(three.begin(), three.end()).size(), 8u);
  for (uint64_t s : three) EXPECT_EQ(s & ~uint64_t{0x70}, 0u);
  EXPECT_EQ(SwitchSettings(4, 4, nullptr), std::vector<uint64_t>{0});

  const auto many = SwitchSettings(4, 4 + kExhaustiveSwitches + 1, &sampled);
  EXPECT_TRUE(sampled);
  EXPECT_EQ(many.size(), static_cast<size_t>(kSampledSettings));
  EXPECT_EQ(many, SwitchSettings(4, 4 + kExhaustiveSwitches + 1, nullptr));
  for (uint64_t s : many) EXPECT_EQ(s & 0xF, 0u);
}

}  // namespace
}  // namespace kelvo
