#include "statediagram/AutoCodes.h"

#include <array>

namespace kelvo {
namespace {

constexpr int kPoolSize = 16;
constexpr long kMaxSearchSteps = 1'000'000;  // a safety net; real tables need a few hundred

struct Grant {
  int from = 0;
  int state = 0;
  int slot = 0;
};

std::string BadTargetMessage(int state, const std::string& target) {
  return "State S" + std::to_string(state) + " goes to \"" + target +
         "\", which is not one of the states S0 to S15. Aborting Automatic calculation!";
}

class CodeAssignment {
public:
  CodeAssignment(StateDiagram& d, const std::function<void(int, const std::string&)>& showCode)
      : d_(d), showCode_(showCode) {}

  bool Run();
  const std::string& Message() const { return message_; }

private:
  bool Abort(const std::string& message) {
    message_ = message;
    return false;
  }
  void GrantCode(int k) {
    found_ = true;
    last_ = {i_, t_, k};
    work_[t_] = pool_[k];
    d_.Codes[t_] = pool_[k];
    pool_[k].clear();
    if (showCode_) showCode_(t_, d_.Codes[t_]);
    searching_ = false;
  }
  // Tests pool slot k as the code of t seen from i; nullopt-like false on a bad target.
  bool TryCandidate(int k, std::string& badTarget);
  bool Search();

  StateDiagram& d_;
  std::string message_;
  const std::function<void(int, const std::string&)>& showCode_;
  std::array<std::string, kPoolSize> pool_;
  std::array<std::string, kStateCount> work_;
  Grant last_;
  int i_ = 0, j_ = 0, t_ = 0;
  bool searching_ = false, found_ = false;
  long steps_ = 0;
};

bool CodeAssignment::TryCandidate(int k, std::string& badTarget) {
  bool conflict = false;
  for (int m = 0; m < kSlotCount; ++m) {
    const std::string& target = d_.Targets[t_][m];
    if (target.empty()) continue;
    const int u = StateOfTarget(target);
    if (!IsValidState(u)) {
      badTarget = BadTargetMessage(t_, target);
      return false;
    }
    if (!d_.Codes[u].empty() && u != i_) {
      conflict = true;
      if (CodesAdjacent(pool_[k], d_.Codes[u])) {
        GrantCode(k);
        return true;
      }
    }
  }
  if (!conflict) GrantCode(k);
  return true;
}

bool CodeAssignment::Search() {
  int k = 0;
  while (searching_ && k < kPoolSize) {
    if (++steps_ > kMaxSearchSteps) return Abort(kExtraStateNeeded);
    if (!pool_[k].empty() && !work_[i_].empty() && CodesAdjacent(pool_[k], work_[i_])) {
      std::string badTarget;
      if (!TryCandidate(k, badTarget)) return Abort(badTarget);
    }
    ++k;
    // Backtrack only over the grant that coded i itself: undo it and code i
    // again from the state that granted it, with the next candidate.
    if (k == kPoolSize && searching_ && i_ != last_.from && last_.state == i_) {
      pool_[last_.slot] = d_.Codes[last_.state];
      d_.Codes[last_.state].clear();
      work_[last_.state].clear();
      work_[i_].clear();
      t_ = i_;
      i_ = last_.from;
      k = last_.slot + 1;
      j_ = kSlotCount - 1;
    }
  }
  return true;
}

bool CodeAssignment::Run() {
  for (int k = 0; k < kPoolSize; ++k) {
    pool_[k] = std::string{static_cast<char>('0' + ((k >> 3) & 1)), static_cast<char>('0' + ((k >> 2) & 1)),
                           static_cast<char>('0' + ((k >> 1) & 1)), static_cast<char>('0' + (k & 1))};
  }
  for (int s = 0; s < kStateCount; ++s) d_.Codes[s].clear();
  work_[0] = d_.Codes[0] = pool_[0];
  pool_[0].clear();
  if (showCode_) showCode_(0, d_.Codes[0]);

  for (i_ = 0; i_ < kStateCount; ++i_) {
    for (j_ = 0; j_ < kSlotCount; ++j_) {
      const std::string& target = d_.Targets[i_][j_];
      if (target.empty()) continue;
      t_ = StateOfTarget(target);
      if (!IsValidState(t_)) return Abort(BadTargetMessage(i_, target));
      found_ = false;
      searching_ = true;
      if (i_ < t_ && work_[t_].empty() && !work_[i_].empty()) {
        if (!Search()) return false;
        if (!found_) return Abort(kExtraStateNeeded);
        continue;
      }
      if (!work_[t_].empty() && !work_[i_].empty() && !CodesAdjacent(work_[t_], work_[i_])) {
        return Abort(kExtraStateNeeded);
      }
      if (i_ < t_) return Abort(kErrorStateSequence);
    }
  }
  return true;
}

}  // namespace

bool CodesAdjacent(const std::string& a, const std::string& b) {
  if (a.size() != kCodeDigits || b.size() != kCodeDigits) return false;
  int differences = 0;
  for (int p = 0; p < kCodeDigits; ++p) differences += a[p] != b[p];
  return differences == 1;
}

CodeAssignmentResult AssignStateCodes(StateDiagram& diagram,
                                      const std::function<void(int, const std::string&)>& showCode) {
  CodeAssignment assignment(diagram, showCode);
  const bool ok = assignment.Run();
  return {ok, ok ? std::string() : assignment.Message()};
}

}  // namespace kelvo
