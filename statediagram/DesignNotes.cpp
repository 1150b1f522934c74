#include "statediagram/DesignNotes.h"

#include "statediagram/TransitionGraph.h"

namespace kelvo {
namespace {

constexpr const char* kRemedy = "or use Tools > Assign Codes with Transit States.";

std::string Name(int s) { return "S" + std::to_string(s); }

// "A and B", "A, B and C": the relays whose digits differ, A first.
std::string ChangedRelays(const std::string& a, const std::string& b, int& count) {
  std::vector<std::string> letters;
  for (int p = kCodeDigits - 1; p >= 0; --p) {
    if (a[p] != b[p]) letters.emplace_back(1, VariableLetter(VariableAtPosition(p + 1)));
  }
  count = static_cast<int>(letters.size());
  std::string text;
  for (size_t i = 0; i < letters.size(); ++i)
    text += (i == 0 ? "" : i + 1 == letters.size() ? " and " : ", ") + letters[i];
  return text;
}

std::string CodeNote(const StateDiagram& table, int s, int t) {
  const std::string& from = table.Codes[s];
  const std::string& to = table.Codes[t];
  const std::string arrow = Name(s) + " -> " + Name(t);
  if (s == t) {
    return arrow + " is a transition of " + Name(s) +
           " to itself: no relay changes on it. Remove it: a state stays as it is while none of its triggers is true.";
  }
  if (!IsCompleteCode(to)) {
    return arrow + ": " + Name(t) + " has no code, so the drawn circuits never reach it. Give " + Name(t) +
           " a code one digit from " + Name(s) + "'s (" + from + "), " + kRemedy;
  }
  const std::string apart = " Give " + Name(s) + " and " + Name(t) + " codes one digit apart, " + kRemedy;
  int count = 0;
  const std::string relays = ChangedRelays(from, to, count);
  if (count == 0)
    return arrow + " changes no relay (both " + from + "): the machine cannot leave " + Name(s) + " this way." + apart;
  if (count == 1) return {};
  return arrow + " changes " + relays + " together (" + from + " -> " + to +
         "): the drawn circuits make each relay wait for the " + (count == 2 ? "other" : "others") +
         ", so the machine stays in " + Name(s) + "." + apart;
}

int OneWayOut(const StateDiagram& table, int state) {
  int out = -1;
  for (int j = 0; j < kSlotCount; ++j) {
    if (table.Targets[state][j].empty()) continue;
    if (out >= 0) return -1;
    out = j;
  }
  return out;
}

void TransitNotes(const StateDiagram& table, int n, std::vector<std::string>& notes) {
  int ways = 0;
  for (int j = 0; j < kSlotCount; ++j) ways += !table.Targets[n][j].empty();
  const std::string head = Name(n) + " is a transit state";
  if (ways == 0) {
    notes.push_back(head + " with no way out: the machine stops in it.");
    return;
  }
  if (ways > 1) {
    notes.push_back(head + " with " + NumberWord(ways) +
                    " ways out: the machine leaves it on whichever trigger is true first. Give it one way out, on the "
                    "trigger that leads into it.");
    return;
  }
  const std::string& out = table.Triggers[n][OneWayOut(table, n)];
  for (int s = 0; s < kStateCount; ++s) {
    for (int j = 0; j < kSlotCount; ++j) {
      if (StateOfTarget(table.Targets[s][j]) != n || s == n || table.Triggers[s][j] == out) continue;
      notes.push_back(head + " entered on " + table.Triggers[s][j] + " from " + Name(s) + " but left on " + out +
                      ": the machine waits in it instead of passing through.");
    }
  }
}

}  // namespace

std::vector<std::string> DesignNotes(const StateDiagram& table) {
  std::vector<std::string> notes;
  for (int s = 0; s < kStateCount; ++s) {
    if (!IsCompleteCode(table.Codes[s])) continue;
    for (int j = 0; j < kSlotCount; ++j) {
      const int t = StateOfTarget(table.Targets[s][j]);
      if (!IsValidState(t)) continue;
      if (std::string note = CodeNote(table, s, t); !note.empty()) notes.push_back(std::move(note));
    }
  }
  for (int n = 0; n < kStateCount; ++n) {
    if (IsTransitComment(table.Comments[n])) TransitNotes(table, n, notes);
  }
  return notes;
}

int PassThroughTarget(const StateDiagram& table, int state, const std::string& trigger) {
  int at = state;
  for (int hops = 0; hops < kStateCount; ++hops) {
    if (!IsTransitComment(table.Comments[at])) return at;
    const int out = OneWayOut(table, at);
    if (out < 0 || table.Triggers[at][out] != trigger) return at;
    const int next = StateOfTarget(table.Targets[at][out]);
    if (!IsValidState(next) || next == at) return at;
    at = next;
  }
  return at;
}

}  // namespace kelvo
