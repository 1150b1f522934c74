#include "analysis/RelaySimulation.h"

#include <algorithm>
#include <random>

namespace kelvo {
namespace {

constexpr uint32_t kSettingsSeed = 1616;

struct Explorer {
  const std::function<int(int code)>& unstableAt;
  std::array<int, kRelayCodes> unstable{};
  std::array<char, kRelayCodes> colour{};  // 0 new, 1 on the path, 2 done
  Settling result;

  void Visit(int code) {
    colour[code] = 1;
    unstable[code] = unstableAt(code);
    if (unstable[code] == 0) result.endCodes.push_back(code);
    for (int r = 0; r < 4; ++r) {
      if (!((unstable[code] >> r) & 1)) continue;
      const int next = code ^ (1 << r);
      if (colour[next] == 1) result.oscillates = true;
      if (colour[next] == 0) Visit(next);
    }
    colour[code] = 2;
  }
};

}  // namespace

int UnstableRelays(const std::array<RelayCircuit, 4>& circuits, int code, uint64_t switches) {
  const uint64_t values = switches | static_cast<uint64_t>(code);
  int mask = 0;
  for (int r = 0; r < 4; ++r) {
    const bool on = circuits[r] && circuits[r](values);
    if (on != (((code >> r) & 1) != 0)) mask |= 1 << r;
  }
  return mask;
}

Settling Settle(const std::array<RelayCircuit, 4>& circuits, int startCode, uint64_t switches) {
  return SettleWith([&circuits, switches](int code) { return UnstableRelays(circuits, code, switches); }, startCode);
}

Settling SettleWith(const std::function<int(int code)>& unstable, int startCode) {
  Explorer e{unstable, {}, {}, {}};
  e.Visit(startCode & (kRelayCodes - 1));
  std::sort(e.result.endCodes.begin(), e.result.endCodes.end());
  return e.result;
}

std::vector<uint64_t> SwitchSettings(int firstSwitch, int count, bool* sampled) {
  const int n = std::max(count - firstSwitch, 0);
  std::vector<uint64_t> settings;
  if (sampled) *sampled = n > kExhaustiveSwitches;
  if (n <= kExhaustiveSwitches) {
    for (uint64_t s = 0; s < (uint64_t{1} << n); ++s) settings.push_back(s << firstSwitch);
    return settings;
  }
  std::mt19937_64 random(kSettingsSeed);
  const uint64_t mask = n >= 64 - firstSwitch ? ~uint64_t{0} << firstSwitch : ((uint64_t{1} << n) - 1) << firstSwitch;
  for (int i = 0; i < kSampledSettings; ++i) settings.push_back(random() & mask);
  return settings;
}

}  // namespace kelvo
