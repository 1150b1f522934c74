#include "statediagram/TransitionGraph.h"

#include <bit>

namespace kelvo {

TransitionGraph TransitionGraph::Of(const StateDiagram& table) {
  TransitionGraph g;
  for (int s = 0; s < kStateCount; ++s) {
    const StateSet self = StateSet{1} << s;
    if (!table.Comments[s].empty()) g.occupied |= self;
    for (int r = 0; r < kRelayCount; ++r) {
      if (table.CoilOn[s][r] && !table.CoilOff[s][r]) g.occupied |= self;
    }
    for (int j = 0; j < kSlotCount; ++j) {
      const std::string& target = table.Targets[s][j];
      if (target.empty()) continue;
      const int t = StateOfTarget(target);
      if (!IsValidState(t)) {
        if (g.badFrom < 0) g.badFrom = s, g.badSlot = j;
        continue;
      }
      g.transitions.push_back({s, j, t, table.Triggers[s][j]});
      const StateSet both = self | (StateSet{1} << t);
      g.linked |= both;
      g.occupied |= both;
      if (t != s) {
        g.neighbours[s] |= StateSet{1} << t;
        g.neighbours[t] |= self;
      }
    }
  }
  return g;
}

int TransitionGraph::Degree(int state) const { return CountStates(neighbours[state]); }

int CountStates(StateSet states) { return std::popcount(states); }

std::string StateListText(StateSet states) {
  std::string text;
  const int count = CountStates(states);
  int written = 0;
  for (int s = 0; s < kStateCount; ++s) {
    if (!((states >> s) & 1)) continue;
    if (written > 0) text += written == count - 1 ? " and " : ", ";
    text += "S" + std::to_string(s);
    ++written;
  }
  return text;
}

std::string NumberWord(int n) {
  static const char* const kWords[] = {"no",     "one",      "two",      "three",   "four",   "five",
                                       "six",    "seven",    "eight",    "nine",    "ten",    "eleven",
                                       "twelve", "thirteen", "fourteen", "fifteen", "sixteen"};
  if (n >= 0 && n <= 16) return kWords[n];
  return std::to_string(n);
}

bool IsTransitComment(const std::string& comment) {
  constexpr std::string_view kMark = "(transit)";
  size_t end = comment.size();
  while (end > 0 && comment[end - 1] == ' ') --end;
  return end >= kMark.size() && std::string_view(comment).substr(end - kMark.size(), kMark.size()) == kMark;
}

}  // namespace kelvo
