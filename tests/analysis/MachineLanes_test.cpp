#include "analysis/MachineLanes.h"

#include <gtest/gtest.h>

#include <random>

#include "analysis/MachineCheck.h"
#include "statediagram/StatesFile.h"
#include "support/DrawnMachine.h"

namespace kelvo {
namespace {

Lanes LanesFor(const std::vector<uint64_t>& settings) {
  Lanes lanes{};
  for (size_t j = 0; j < settings.size(); ++j) {
    for (int v = 0; v < kMaxVariables; ++v) lanes[v] |= ((settings[j] >> v) & 1) << j;
  }
  return lanes;
}

// Every circuit of the heaviest table as its sum of paths, against the search
// of the read-back circuit, at random settings.
TEST(MachineLanes, PathSumsConductAsTheReadBackCircuits) {
  const auto table = ReadStatesFile(std::string(KELVO_TEST_DATA) + "/../bench/tables/heavy-hypercube.sfi");
  ASSERT_TRUE(table);
  const uint32_t seed = 20261208;
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937_64 random(seed);
  for (const bool parallel : {false, true}) {
    auto m = testing::DrawTable(*table, false, parallel);
    ASSERT_TRUE(m->session.handedOver);
    const LadderGrid& grid = m->session.grid;
    VariableTable names;
    for (int x = 0; x < kStateVariables; ++x) {
      const CircuitReadBack circuit =
          parallel ? CircuitReadBack(grid.SumTiles[x], grid.SumLabels[x], GridFamily::Sum, names)
                   : CircuitReadBack(grid.TwoPartTiles[x], grid.TwoPartLabels[x], GridFamily::TwoPart, names);
      const RelayLanes lanesOf = LanesOf(circuit);
      for (int round = 0; round < 64; ++round) {
        const int code = static_cast<int>(random() % kRelayCodes);
        std::vector<uint64_t> settings(64);
        for (auto& s : settings) s = (random() & ~uint64_t{15}) | static_cast<uint64_t>(code);
        const uint64_t lanes = lanesOf(LanesFor(settings), code);
        for (int j = 0; j < 64; ++j) {
          ASSERT_EQ(((lanes >> j) & 1) != 0, circuit.Conducts(settings[j]))
              << "seed " << seed << ", relay " << x << (parallel ? " parallel" : " two-part");
        }
      }
    }
  }
}

std::string RandomSum(std::mt19937_64& random, const std::vector<std::string>& names) {
  std::string sum;
  for (int t = 1 + static_cast<int>(random() % 3); t > 0; --t) {
    if (!sum.empty()) sum += '+';
    for (int l = 1 + static_cast<int>(random() % 3); l > 0; --l) {
      std::string name = names[random() % names.size()];
      if (random() % 2) name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
      sum += (sum.empty() || sum.back() == '+' ? "" : ".") + name;
    }
  }
  return sum;
}

// A random machine worked out 64 settings at a time, against running it one
// setting at a time as the relay simulation does.
TEST(MachineLanes, WordsAgreeWithOneSettingAtATime) {
  const uint32_t seed = 20261208;
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937_64 random(seed);
  const std::vector<std::string> names{"A", "B", "C", "D", "X1", "X2", "X3", "X4", "X5"};
  for (int round = 0; round < 40; ++round) {
    StateDiagram d;
    d.Clear();
    VariableTable table;
    for (const auto& name : names) table.Index(name);
    MachineUnderTest m{d, table, {}, {}, {}, 0, {}};
    std::array<SwitchFunction, 4> relays;
    for (int r = 0; r < 4; ++r) {
      relays[r] = SwitchFunction::ParseTwoPart(RandomSum(random, names) + "|" + RandomSum(random, names), table);
      m.relays[r] = [&relays, r](uint64_t v) { return relays[r].Evaluate(v); };
    }
    for (int s = 0; s < kStateCount; ++s) {
      d.Codes[s] = CodeText(s);
      for (int j = 0; j < kSlotCount; ++j) {
        if (random() % 2) m.triggers[s][j] = SwitchFunction::Parse(RandomSum(random, names), table);
      }
    }
    m.settings = SwitchSettings(kStateRelayVariables, table.Size(), nullptr);
    const MachineLanes oneByOne(m);
    for (int r = 0; r < 4; ++r)
      m.relayLanes[r] = [&relays, r](const Lanes& l, int) { return relays[r].EvaluateLanes(l); };
    const MachineLanes byWords(m);
    for (size_t i = 0; i < m.settings.size(); ++i) {
      const uint64_t sw = m.settings[i];
      for (int code = 0; code < kRelayCodes; ++code) {
        ASSERT_EQ(byWords.Unstable(i, code), UnstableRelays(m.relays, code, sw)) << "seed " << seed;
        ASSERT_EQ(oneByOne.Unstable(i, code), UnstableRelays(m.relays, code, sw)) << "seed " << seed;
        ASSERT_EQ(((byWords.Moving(code, i / 64) >> (i % 64)) & 1) != 0, UnstableRelays(m.relays, code, sw) != 0);
        const Settling settling = Settle(m.relays, code, sw);
        const int to = settling.endCodes.empty() ? 0 : settling.endCodes[0];
        ASSERT_EQ(byWords.SettlesOn(i, code, to), !settling.oscillates && settling.endCodes == std::vector<int>{to})
            << "seed " << seed << ", setting " << sw << ", code " << code;
        for (int j = 0; j < kSlotCount; ++j) {
          if (!m.triggers[code][j]) continue;
          ASSERT_EQ(((byWords.Trigger(code, j, i / 64) >> (i % 64)) & 1) != 0, m.triggers[code][j]->Evaluate(sw | code))
              << "seed " << seed;
        }
      }
    }
  }
}

}  // namespace
}  // namespace kelvo
