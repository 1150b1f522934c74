#include "analysis/MachineLanes.h"

#include <bit>
#include <memory>

#include "analysis/CircuitCheck.h"
#include "analysis/MachineCheck.h"

namespace kelvo {
namespace {

constexpr size_t kPathLimit = 256;  // more current paths than this: the circuit is searched instead
constexpr int kLanes = 64;

constexpr uint64_t kCodeBits = (uint64_t{1} << kStateRelayVariables) - 1;

// Per state code, the paths that code leaves closable, over their switches alone.
using PathsByCode = std::array<std::vector<Cube>, kRelayCodes>;

PathsByCode PathsAtEachCode(const std::vector<Cube>& paths) {
  PathsByCode byCode;
  for (int code = 0; code < kRelayCodes; ++code) {
    const auto on = static_cast<uint64_t>(code);
    for (const Cube& path : paths) {
      if ((path.on & kCodeBits & ~on) != 0 || (path.off & kCodeBits & on) != 0) continue;
      byCode[code].push_back({path.on & ~kCodeBits, path.off & ~kCodeBits});
    }
  }
  return byCode;
}

uint64_t ConductsAlongPaths(const std::vector<Cube>& paths, const Lanes& lanes) {
  uint64_t any = 0;
  for (const Cube& path : paths) {
    uint64_t each = ~uint64_t{0};
    for (uint64_t on = path.on; on != 0; on &= on - 1) each &= lanes[std::countr_zero(on)];
    for (uint64_t off = path.off; off != 0; off &= off - 1) each &= ~lanes[std::countr_zero(off)];
    any |= each;
  }
  return any;
}

// The settings of one word as lanes, the state relay bits left clear.
Lanes SwitchLanes(const std::vector<uint64_t>& settings, size_t first, size_t count) {
  Lanes lanes{};
  for (size_t j = 0; j < count; ++j) {
    for (uint64_t v = settings[first + j]; v != 0; v &= v - 1) lanes[std::countr_zero(v)] |= uint64_t{1} << j;
  }
  return lanes;
}

Lanes WithCode(const Lanes& switches, int code) {
  Lanes lanes = switches;
  for (int bit = 0; bit < kStateRelayVariables; ++bit) lanes[bit] |= ((code >> bit) & 1) ? ~uint64_t{0} : 0;
  return lanes;
}

// Relay r's circuit over the settings of a word, one call per setting.
uint64_t ConductsOneByOne(const RelayCircuit& relay, const std::vector<uint64_t>& settings, size_t first, size_t count,
                          int code) {
  uint64_t lanes = 0;
  if (!relay) return lanes;
  for (size_t j = 0; j < count; ++j) lanes |= uint64_t{relay(settings[first + j] | static_cast<uint64_t>(code))} << j;
  return lanes;
}

}  // namespace

RelayLanes LanesOf(const CircuitReadBack& circuit) {
  if (auto paths = circuit.PathCubes(kPathLimit)) {
    return [byCode = std::make_shared<const PathsByCode>(PathsAtEachCode(*paths))](const Lanes& lanes, int code) {
      return ConductsAlongPaths((*byCode)[code], lanes);
    };
  }
  return [&circuit](const Lanes& lanes, int) { return circuit.ConductsLanes(lanes); };
}

MachineLanes::MachineLanes(const MachineUnderTest& m) {
  const size_t words = (m.settings.size() + kLanes - 1) / kLanes;
  valid_.resize(words);
  triggers_.assign(words, {});
  moving_.assign(words, {});
  unstable_.assign(m.settings.size(), 0);
  for (size_t word = 0; word < words; ++word) {
    const size_t count = std::min<size_t>(kLanes, m.settings.size() - word * kLanes);
    valid_[word] = count == kLanes ? ~uint64_t{0} : (uint64_t{1} << count) - 1;
    FillWord(m, word, SwitchLanes(m.settings, word * kLanes, count));
  }
}

void MachineLanes::FillWord(const MachineUnderTest& m, size_t word, const Lanes& switches) {
  const size_t first = word * kLanes;
  const uint64_t valid = valid_[word];
  for (int code = 0; code < kRelayCodes; ++code) {
    const Lanes lanes = WithCode(switches, code);
    uint64_t moving = 0;
    for (int r = 0; r < kStateRelayVariables; ++r) {
      const uint64_t conducts = m.relayLanes[r]
                                    ? m.relayLanes[r](lanes, code)
                                    : ConductsOneByOne(m.relays[r], m.settings, first, std::countr_one(valid), code);
      const uint64_t pulledIn = ((code >> r) & 1) ? ~uint64_t{0} : 0;
      const uint64_t unstable = (conducts ^ pulledIn) & valid;
      moving |= unstable;
      for (uint64_t u = unstable; u != 0; u &= u - 1)
        unstable_[first + std::countr_zero(u)] |= uint64_t{1} << (4 * code + r);
    }
    moving_[word][code] = moving;
  }
  for (int s = 0; s < kStateCount; ++s) {
    const int code = CodeValue(m.diagram.Codes[s]);
    if (code < 0) continue;
    const Lanes lanes = WithCode(switches, code);
    for (int j = 0; j < kSlotCount; ++j) {
      if (m.triggers[s][j]) triggers_[word][s * kSlotCount + j] = m.triggers[s][j]->EvaluateLanes(lanes) & valid;
    }
  }
}

uint64_t MachineLanes::AnyTrigger(int s, size_t word) const {
  uint64_t any = 0;
  for (int j = 0; j < kSlotCount; ++j) any |= Trigger(s, j, word);
  return any;
}

bool MachineLanes::SettlesOn(size_t setting, int from, int to) const {
  // Most runs have one relay to move at each step: follow it.
  int code = from;
  for (int step = 0; step <= kRelayCodes; ++step) {
    const int moving = Unstable(setting, code);
    if (moving == 0) return code == to;
    if (std::popcount(static_cast<unsigned>(moving)) > 1) {
      const Settling every = SettleWith([this, setting](int c) { return Unstable(setting, c); }, from);
      return !every.oscillates && every.endCodes == std::vector<int>{to};
    }
    code ^= moving;
  }
  return false;  // one way only, and it comes round again
}

}  // namespace kelvo
