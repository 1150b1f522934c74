#include "session/TableFaults.h"

#include "common/CodePoints.h"

namespace kelvo {
namespace {

// Why a comment or relay name cannot be taken, or "".
std::string TextFault(const std::string& text, size_t limit, const char* what) {
  const size_t characters = CodePointCount(text);
  if (characters > limit) {
    return "it has " + std::to_string(characters) + " characters, more than the " + std::to_string(limit) + " " + what +
           " may have";
  }
  std::string control;
  ForEachCodePoint(text, [&](char32_t c, std::string_view) {
    if (control.empty() && IsControlCharacter(c)) control = CodePointName(c);
  });
  return control.empty() ? "" : "it holds " + control + ", a control character";
}

bool InUse(const StateDiagram& table, int state) {
  for (int s = 0; s < kStateCount; ++s) {
    for (int j = 0; j < kSlotCount; ++j) {
      if (s == state && !table.Targets[s][j].empty()) return true;
      if (StateOfTarget(table.Targets[s][j]) == state) return true;
    }
  }
  return false;
}

}  // namespace

std::vector<Fault> TextFaults(const StateDiagram& table) {
  std::vector<Fault> faults;
  for (int s = 0; s < kStateCount; ++s) {
    const std::string& comment = table.Comments[s];
    if (const std::string fault = TextFault(comment, kMaxCommentCharacters, "a comment"); !fault.empty()) {
      faults.push_back({"State S" + std::to_string(s) + " has a comment that cannot be taken: " + fault +
                            ". Correct the comment first.",
                        0, s});
    }
  }
  for (int r = 0; r < kRelayCount; ++r) {
    const std::string& name = table.CoilNames[r];
    if (const std::string fault = TextFault(name, kMaxRelayNameCharacters, "a relay name"); !fault.empty()) {
      faults.push_back({"Relay " + std::to_string(r + 1) + " has a name that cannot be taken: " + fault +
                        ". Correct the relay name first."});
    }
  }
  return faults;
}

std::vector<Fault> DuplicateNotes(const StateDiagram& table) {
  std::vector<Fault> notes;
  for (int s = 0; s < kStateCount; ++s) {
    if (!IsCompleteCode(table.Codes[s]) || !InUse(table, s)) continue;
    for (int earlier = 0; earlier < s; ++earlier) {
      if (table.Codes[earlier] != table.Codes[s] || !InUse(table, earlier)) continue;
      notes.push_back({"State S" + std::to_string(s) + " has the code " + table.Codes[s] + ", as S" +
                           std::to_string(earlier) + " has: the circuits cannot tell the two states apart.",
                       0, s});
      break;
    }
  }
  for (int s = 0; s < kStateCount; ++s) {
    for (int j = 0; j < kSlotCount; ++j) {
      const int target = StateOfTarget(table.Targets[s][j]);
      if (target < 0 || table.Triggers[s][j].empty()) continue;
      for (int earlier = 0; earlier < j; ++earlier) {
        if (StateOfTarget(table.Targets[s][earlier]) != target || table.Triggers[s][earlier] != table.Triggers[s][j])
          continue;
        notes.push_back({"State S" + std::to_string(s) + " (transition " + std::to_string(j + 1) + ") goes to S" +
                             std::to_string(target) + " on \"" + table.Triggers[s][j] + "\", as transition " +
                             std::to_string(earlier + 1) + " does: the second is the same transition.",
                         0, s, j});
        break;
      }
    }
  }
  return notes;
}

}  // namespace kelvo
