#include "statediagram/StateDiagram.h"

#include "common/Cp1252.h"

namespace kelvo {

void StateDiagram::Clear() {
  for (int s = 0; s < kStateCount; ++s) {
    Codes[s].clear();
    Comments[s].clear();
    for (int j = 0; j < kSlotCount; ++j) {
      Targets[s][j].clear();
      Triggers[s][j].clear();
    }
    for (int r = 0; r < kRelayCount; ++r) {
      CoilOn[s][r] = false;
      CoilOff[s][r] = true;
    }
  }
  for (auto& name : CoilNames) name.clear();
}

StatePage StateDiagram::Page(int state) const {
  StatePage page;
  page.code = Codes[state];
  page.comment = Comments[state];
  page.targets = Targets[state];
  page.triggers = Triggers[state];
  page.on = CoilOn[state];
  page.off = CoilOff[state];
  page.coilNames = CoilNames;
  return page;
}

namespace {

// A field is one line: a line break pasted into a box is stored as a space,
// as the states file would store it.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

template <size_t N>
std::array<std::string, N> OneLine(const std::array<std::string, N>& texts) {
  std::array<std::string, N> lines;
  for (size_t i = 0; i < N; ++i) lines[i] = OneLine(texts[i]);
  return lines;
}

}  // namespace

void StateDiagram::StorePage(int state, const StatePage& page) {
  Codes[state] = OneLine(page.code);
  Comments[state] = OneLine(page.comment);
  Targets[state] = OneLine(page.targets);
  Triggers[state] = OneLine(page.triggers);
  CoilOn[state] = page.on;
  CoilOff[state] = page.off;
  CoilNames = OneLine(page.coilNames);
}

int TargetNumber(std::string_view target) {
  constexpr int kSaturated = 1'000'000;
  if (target.empty()) return 0;
  // The second character: skip the whole first (possibly multi-byte) one.
  size_t pos = 1;
  while (pos < target.size() && IsUtf8Continuation(target[pos])) ++pos;
  int value = 0;
  for (; pos < target.size() && target[pos] >= '0' && target[pos] <= '9'; ++pos) {
    value = value * 10 + (target[pos] - '0');
    if (value >= kSaturated) return kSaturated;
  }
  return value;
}

int StateOfTarget(std::string_view target) {
  if (target.size() < 2 || target.size() > 4 || (target[0] != 'S' && target[0] != 's')) return -1;
  for (char c : target.substr(1)) {
    if (c < '0' || c > '9') return -1;
  }
  const int state = TargetNumber(target);
  return IsValidState(state) ? state : -1;
}

bool IsCompleteCode(std::string_view code) {
  return code.size() == kCodeDigits && code.find_first_not_of("01") == std::string_view::npos;
}

std::string CodeToMinterm(std::string_view code) {
  if (code.size() != kCodeDigits) return "";
  for (char c : code) {
    if (c != '0' && c != '1') return "";
  }
  std::string term;
  // A is digit 4, B digit 3, C digit 2, D digit 1.
  for (int position = kCodeDigits; position >= 1; --position) {
    const std::string letter(1, VariableLetter(VariableAtPosition(position)));
    if (!term.empty()) term += '.';
    term += code[position - 1] == '1' ? letter : std::string(1, static_cast<char>(letter[0] - 'A' + 'a'));
  }
  return term;
}

}  // namespace kelvo
