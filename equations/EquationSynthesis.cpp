#include "equations/EquationSynthesis.h"

#include "common/Cp1252.h"
#include "equations/ExpressionText.h"

namespace kelvo {
namespace {

// Character `position` (1-based) of a code, counting characters, not bytes.
std::string CodeCharacter(const std::string& code, int position) {
  int index = 0;
  for (size_t i = 0; i < code.size(); ++i) {
    if (IsUtf8Continuation(code[i])) continue;
    if (++index < position) continue;
    size_t end = i + 1;
    while (end < code.size() && IsUtf8Continuation(code[end])) ++end;
    return code.substr(i, end - i);
  }
  return "";
}

// A long text cut for a message, at a character boundary.
std::string Shortened(const std::string& text) {
  constexpr size_t kShown = 60;
  if (text.size() <= kShown) return text;
  size_t end = kShown;
  while (end > 0 && IsUtf8Continuation(text[end])) --end;
  return text.substr(0, end) + "...";
}

// The first contact of `trigger` named like a state variable ("A", "b"), or "".
std::string StateVariableContact(std::string_view trigger) {
  for (std::string_view term : Pieces(trigger, '+')) {
    for (std::string_view literal : Pieces(term, '.')) {
      if (literal.size() == 1 && std::string_view("ABCDabcd").find(literal[0]) != std::string_view::npos)
        return std::string(literal);
    }
  }
  return "";
}

std::string TransitionName(int state, int slot) {
  return "S" + std::to_string(state) + " (transition " + std::to_string(slot + 1) + ")";
}

}  // namespace

std::optional<Fault> TriggerProblem(const StateDiagram& d, int s, int c) {
  const std::string& trigger = d.Triggers[s][c];
  if (trigger.empty()) return std::nullopt;
  if (const std::string fault = TriggerSizeFault(trigger); !fault.empty()) {
    return Fault{"State " + TransitionName(s, c) + " has the trigger \"" + Shortened(trigger) +
                     "\", which is too large: " + fault + ". Shorten the trigger first.",
                 0, s, c};
  }
  if (const std::string fault = TriggerFault(trigger); !fault.empty()) {
    return Fault{"State " + TransitionName(s, c) + " has the trigger \"" + trigger +
                     "\", which is not a switch expression: " + fault + ". Correct the trigger first.",
                 0, s, c};
  }
  if (const std::string variable = StateVariableContact(trigger); !variable.empty()) {
    return Fault{"State " + TransitionName(s, c) + " has the trigger \"" + trigger + "\", whose contact \"" + variable +
                     "\" is named like the state variable " + ToUpper(variable) +
                     " and would be its relay's contact. Give the switch another name first.",
                 0, s, c};
  }
  return std::nullopt;
}

void EquationSynthesis::Clear() { *this = EquationSynthesis{}; }

void EquationSynthesis::EmptyVariableStrings() {
  for (auto& v : vars) {
    v.set.clear();
    v.reset.clear();
    v.complementedReset.clear();
    v.factored.clear();
  }
  for (auto& v : sums) {
    v.set.clear();
    v.reset.clear();
    v.complementedReset.clear();
  }
}

std::vector<Fault> EquationSynthesis::CollectTransitions(const StateDiagram& d) {
  std::vector<Fault> problems;
  SetTerms = {};
  ResetTerms = {};
  std::array<int, kCodeDigits> setCount{};
  std::array<int, kCodeDigits> resetCount{};
  std::array<bool, kCodeDigits> setOverflow{};
  std::array<bool, kCodeDigits> resetOverflow{};
  for (int s = 0; s < kStateCount; ++s) {
    for (int c = 0; c < kSlotCount; ++c) {
      if (d.Targets[s][c].empty()) continue;
      const int t = StateOfTarget(d.Targets[s][c]);
      if (!IsValidState(t)) {
        problems.push_back({"State " + TransitionName(s, c) + " goes to \"" + d.Targets[s][c] +
                                "\", which is not one of the states S0 to S15. Correct the target first.",
                            0, s, c});
        continue;
      }
      if (auto problem = TriggerProblem(d, s, c)) {
        problems.push_back(std::move(*problem));
        continue;
      }
      for (int p = 1; p <= kCodeDigits; ++p) {
        const std::string from = CodeCharacter(d.Codes[s], p);
        const std::string to = CodeCharacter(d.Codes[t], p);
        const bool sets = to == "1" && from == "0";
        const bool resets = to == "0" && from == "1";
        if (!sets && !resets) continue;
        auto& table = sets ? SetTerms : ResetTerms;
        auto& count = sets ? setCount : resetCount;
        auto& overflow = sets ? setOverflow : resetOverflow;
        if (count[p - 1] == kTransitionsPerVariable) {
          overflow[p - 1] = true;
          continue;
        }
        table[p - 1][count[p - 1]++] = {d.Triggers[s][c], d.Codes[t]};
      }
    }
  }
  for (int p = 1; p <= kCodeDigits; ++p) {
    for (const bool isSet : {true, false}) {
      if (!(isSet ? setOverflow : resetOverflow)[p - 1]) continue;
      problems.push_back({"State variable " + std::string(1, VariableLetter(VariableAtPosition(p))) +
                          " has more than " + std::to_string(kTransitionsPerVariable) + (isSet ? " set" : " reset") +
                          " transitions; its relay circuit can hold at most " +
                          std::to_string(kTransitionsPerVariable) +
                          ". Give the machine other state codes or fewer transitions."});
    }
  }
  return problems;
}

Sum EquationSynthesis::BuildExpression(const std::array<TransitionTerm, kTransitionsPerVariable>& slots,
                                       int ownPosition) {
  const int first = idleCount + 1;
  Sum expression;
  for (int h = 0; h < kTransitionsPerVariable; ++h) {
    const TransitionTerm& term = slots[h];
    if (term.trigger.empty()) continue;
    // After an empty trigger in the first slots the sum starts with an empty term.
    if (h > 0 && expression.empty()) expression.push_back(Term{names->Of("")});
    // Every term of the trigger gets the literals of the other state variables of the target code.
    Term suffix;
    for (int q = first; q <= kCodeDigits; ++q) {
      if (q == ownPosition) continue;
      const std::string ch = CodeCharacter(term.targetCode, q);
      if (ch.empty()) continue;
      const char letter = VariableLetter(VariableAtPosition(q));
      suffix.push_back(names->Of(std::string(1, ch != "0" ? letter : static_cast<char>(letter - 'A' + 'a'))));
    }
    for (std::string_view text : Pieces(term.trigger, '+')) {
      const Pieces literals(text, '.');
      Term& piece = expression.emplace_back();
      piece.reserve(literals.Count() + suffix.size());
      for (std::string_view literal : literals) piece.push_back(names->Of(literal));
      piece.insert(piece.end(), suffix.begin(), suffix.end());
    }
  }
  return expression;
}

std::vector<Fault> EquationSynthesis::SynthesizeStateEquations() {
  std::vector<Fault> problems;
  idleCount = 0;
  for (int p = 0; p < kCodeDigits; ++p) {
    if (SetTerms[p][0].trigger.empty() && ResetTerms[p][0].trigger.empty()) ++idleCount;
  }
  for (int x = 0; x < kStateVariables; ++x)
    work[x] = BuildExpression(SetTerms[VariablePosition(x) - 1], VariablePosition(x));
  for (int x = 0; x < kStateVariables; ++x)
    work[x + 4] = BuildExpression(ResetTerms[VariablePosition(x) - 1], VariablePosition(x));
  MergeAdjacentTerms(work);
  MergeAdjacentTerms(work);
  SimplifyExpressions(work, *names);
  for (int x = 0; x < kStateVariables; ++x) {
    sums[x].set = std::move(work[x]);
    sums[x].reset = std::move(work[x + 4]);
    vars[x].set = Print(sums[x].set);
    vars[x].reset = Print(sums[x].reset);
  }

  for (int x = 0; x < kStateVariables; ++x) {
    const std::string letterPart = std::string(" + ") + VariableLetter(x);
    vars[x].sigma = "\xCE\xA3( " + vars[x].reset + " )( " + vars[x].set + letterPart + " )";
    resetWork[x] = sums[x].reset.empty() ? ProductOfSums{} : ProductOfSums{sums[x].reset};
  }
  ComplementExpressions(resetWork, *names);
  for (int x = 0; x < kStateVariables; ++x) {
    vars[x].complementedReset = Print(resetWork[x]);
    vars[x].factored = "( " + vars[x].complementedReset + " )( " + vars[x].set + " + " + VariableLetter(x) + " )";
  }
  const auto tooLarge = ExpandProducts(resetWork);
  for (int x = 0; x < kStateVariables; ++x) {
    ProductOfSums& product = resetWork[x];
    // Left as a product, its text is read as a sum: ")(" stays inside literals.
    work[x] = product.size() > 1 ? ParseSum(Print(product), *names) : product.empty() ? Sum{} : std::move(product[0]);
    product.clear();
    if (tooLarge[x]) {
      problems.push_back({std::string("The reset expression of ") + VariableLetter(x) +
                          " is too large to multiply out (more than " + std::to_string(kMaxExpandedTerms) +
                          " terms). Simplify the triggers of its reset transitions."});
    }
  }

  for (int x = 0; x < kStateVariables; ++x) {
    work[x + 4].clear();
    if (!Blank(sums[x].set)) {
      work[x + 4] = sums[x].set;
      work[x + 4].push_back(Term{names->Of(std::string(1, VariableLetter(x)))});
    }
  }
  SimplifyExpressions(work, *names);
  for (int x = 0; x < kStateVariables; ++x) {
    sums[x].complementedReset = std::move(work[x]);
    sums[x].setWithHold = std::move(work[x + 4]);
    work[x].clear();
    work[x + 4].clear();
    vars[x].complementedReset = Print(sums[x].complementedReset);
    vars[x].setWithHold = Print(sums[x].setWithHold);
    parallelEquations[x] = vars[x].complementedReset + "|" + vars[x].setWithHold;
  }

  const auto finalProblems = BuildFinalEquations();
  problems.insert(problems.end(), finalProblems.begin(), finalProblems.end());

  // The idle variables are the leading ones: D first, then C, B, A.
  for (int x = kStateVariables - 1; x >= kStateVariables - idleCount; --x) {
    vars[x].sigma = "-";
    vars[x].factored = "-";
  }
  return problems;
}

std::vector<Fault> EquationSynthesis::BuildFinalEquations() {
  std::vector<Fault> problems;
  for (int x = 0; x < kStateVariables; ++x) {
    const VariableSums& v = sums[x];
    const Term hold{names->Of(std::string(1, VariableLetter(x)))};
    if (Blank(v.reset) && !Blank(v.setWithHold)) {
      // Set but never reset: the missing reset factor is 1, and once set the relay holds.
      work[x] = v.setWithHold;
      work[x].push_back(hold);
      continue;
    }
    if (Blank(v.complementedReset)) continue;  // the slot keeps the empty complemented reset
    const Sum& p = v.complementedReset;
    // Without set transitions the relay can only hold: its own contact is the whole second part.
    Sum q = Blank(v.setWithHold) ? Sum{} : v.setWithHold;
    q.push_back(hold);
    if (p.size() * q.size() > kMaxExpandedTerms) {
      problems.push_back({std::string("The final equation of ") + VariableLetter(x) +
                          " is too large to multiply out. Simplify the triggers of its transitions."});
      work[x].clear();
      continue;
    }
    Sum terms;
    terms.reserve(p.size() * q.size());
    for (const Term& pt : p) {
      for (const Term& qt : q) {
        Term& term = terms.emplace_back();
        term.reserve(qt.size() + pt.size());
        term.insert(term.end(), qt.begin(), qt.end());
        term.insert(term.end(), pt.begin(), pt.end());
      }
    }
    work[x] = std::move(terms);
  }
  SimplifyExpressions(work, *names);
  for (int x = 0; x < kStateVariables; ++x) {
    sums[x].final = std::move(work[x]);
    work[x].clear();
    vars[x].final = Print(sums[x].final);
  }
  return problems;
}

void EquationSynthesis::BuildCoilEquations(const StateDiagram& d,
                                           const std::array<std::string, kRelayCount>& relayNames) {
  for (auto& terms : CoilTerms) terms = {};
  for (int r = 0; r < kRelayCount; ++r) {
    int next = 0;
    for (int s = 0; s < kStateCount; ++s) {
      if (relayNames[r].empty() || !d.CoilOn[s][r]) continue;
      // A state without a complete code has no minterm; an empty entry would end the list.
      std::string minterm = CodeToMinterm(d.Codes[s]);
      if (!minterm.empty()) CoilTerms[r][next++] = std::move(minterm);
    }
  }
  if (!CoilTerms[0][0].empty()) {
    for (int x = kStateVariables - 1; x >= 0; --x) {
      if (!vars[x].final.empty()) continue;
      const std::string negated = std::string(".") + static_cast<char>('a' + x);
      for (auto& terms : CoilTerms) {
        for (auto& entry : terms) {
          const size_t at = entry.find(negated);
          if (!entry.empty() && at != std::string::npos) entry.resize(at);
        }
      }
    }
  }
  for (int r = 0; r < kRelayCount; ++r) {
    std::vector<std::string> entries;
    for (const auto& entry : CoilTerms[r]) {
      if (entry.empty()) break;
      entries.push_back(entry);
    }
    coil[r] = Join(entries, "+");
    work[r] = ParseSum(coil[r], *names);
  }
  SimplifyExpressions(work, *names);
  for (int r = 0; r < kRelayCount; ++r) {
    coilSums[r] = work[r];
    coil[r] = Print(coilSums[r]);
  }
}

}  // namespace kelvo
