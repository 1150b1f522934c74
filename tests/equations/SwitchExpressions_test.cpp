#include "equations/SwitchExpressions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "equations/EquationSynthesis.h"
#include "equations/ExpressionText.h"
#include "statediagram/StatesFile.h"

namespace kelvo {
namespace {

// The tests give and read the working slots as text.
using SlotTexts = std::array<std::string, kWorkEquationSlots>;
using ResetTexts = std::array<std::string, kResetWorkSlots>;

ContactNames& Names() {
  static ContactNames names;
  return names;
}

WorkEquations Slots(const SlotTexts& texts) {
  WorkEquations work;
  for (size_t i = 0; i < texts.size(); ++i) work[i] = ParseSum(texts[i], Names());
  return work;
}

SlotTexts Texts(const WorkEquations& work) {
  SlotTexts texts;
  for (size_t i = 0; i < work.size(); ++i) texts[i] = Print(work[i]);
  return texts;
}

ResetWork ResetSlots(const ResetTexts& texts) {
  ResetWork work;
  for (size_t i = 0; i < texts.size(); ++i) work[i] = ParseProduct(texts[i], Names());
  return work;
}

ResetTexts Texts(const ResetWork& work) {
  ResetTexts texts;
  for (size_t i = 0; i < work.size(); ++i) texts[i] = Print(work[i]);
  return texts;
}

// One pass on the sum `text`.
template <typename Pass>
std::string Passed(Pass pass, const std::string& text) {
  Sum sum = ParseSum(text, Names());
  pass(sum);
  return Print(sum);
}

std::string RemoveRepeatedLiterals(const std::string& text) {
  return Passed([](Sum& s) { RemoveRepeatedLiterals(s); }, text);
}
std::string RemoveContradictoryTerms(const std::string& text) {
  return Passed([](Sum& s) { RemoveContradictoryTerms(s); }, text);
}
std::string RemoveAbsorbedTerms(const std::string& text) {
  return Passed([](Sum& s) { RemoveAbsorbedTerms(s, Names()); }, text);
}

std::string Complemented(const std::string& text) {
  ResetWork work = ResetSlots({text});
  ComplementExpressions(work, Names());
  return Print(work[0]);
}

std::string Expanded(const std::string& text) {
  ResetWork work = ResetSlots({text});
  ExpandProducts(work);
  return Print(work[0]);
}

std::string Merged(const std::string& text) {
  WorkEquations work = Slots({text});
  MergeAdjacentTerms(work);
  return Print(work[0]);
}

std::string Simplified(const std::string& text) {
  WorkEquations work = Slots({text});
  SimplifyExpressions(work, Names());
  return Print(work[0]);
}

struct Case {
  std::string input;
  std::string expected;
};

TEST(SwitchExpressions, ComplementLiteral) {
  EXPECT_EQ(ComplementLiteral("A1"), "a1");
  EXPECT_EQ(ComplementLiteral("dt"), "DT");
  EXPECT_EQ(ComplementLiteral("dT"), "DT");
  EXPECT_EQ(ComplementLiteral("Dt"), "dt");
  EXPECT_EQ(ComplementLiteral("1a"), "1A");
  // Accented letters change case too; only an ASCII first letter makes a literal normally open.
  EXPECT_EQ(ComplementLiteral("x\xC3\xA9"), "X\xC3\x89");  // xé -> XÉ
  EXPECT_EQ(ComplementLiteral("\xC3\x89t"), "\xC3\x89T");  // Ét is no upper-case literal
  EXPECT_EQ(ComplementLiteral("S\xC5\xA1\xC3\xBF"), "s\xC5\xA1\xC3\xBF");
  EXPECT_EQ(ComplementLiteral("s\xC5\xA1\xC3\xBF"), "S\xC5\xA0\xC5\xB8");  // šÿ -> ŠŸ
  EXPECT_EQ(Merged("A\xC3\xA9.X+a\xC3\xA9.X"), "X");                       // aé is the complement of Aé
  EXPECT_EQ(Simplified("X\xC3\xA9.X\xC3\x89+B"), "X\xC3\x89+B");           // Xé and XÉ are one contact
}

TEST(SwitchExpressions, ComplementExpressions) {
  const std::vector<Case> cases = {
      {"X.Y", "x+y"},
      {"X+Y", "x.y"},
      {"X+Y.Z", "x)(y+z"},
      {"X.Y+Z", "x+y)(z"},
      {"A1.b+c.D", "a1+B)(C+d"},
      {"X+Y.Z+W", "x)(y+z)(w"},
      {"X+Y+Z.W", "x.y)(z+w"},
      {"X.Y.Z", "x+y+z"},
      {"X", "x"},
      {"x3", "X3"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Complemented(c.input), c.expected) << c.input;

  // Only slots 0..3 are touched.
  ResetWork work = ResetSlots({"A", "B.C", "", "d+E", "X", "Y"});
  ComplementExpressions(work, Names());
  EXPECT_EQ(Texts(work), (ResetTexts{"a", "b+c", "", "D.e", "X", "Y"}));
}

TEST(SwitchExpressions, ExpandProducts) {
  const std::vector<Case> cases = {
      {"x1+b)(c+y2", "c.x1+y2.x1+c.b+y2.b"},
      {"a)(b)(c", "c.b.a"},
      {"x)(y+z)(w+v", "w.y.x+v.y.x+w.z.x+v.z.x"},
      // Factors with terms of several contacts.
      {"a.b+c)(d+e.f)(g", "g.d.a.b+g.e.f.a.b+g.d.c+g.e.f.c"},
      {"x3+b", "x3+b"},  // no factors: unchanged
      {"X", "X"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Expanded(c.input), c.expected) << c.input;
}

TEST(SwitchExpressions, ExpandProductsRefusesToExplode) {
  std::string text = "a+b+c+d";
  for (int i = 0; i < 10; ++i) text += ")(e" + std::to_string(i) + "+f" + std::to_string(i) + "+g" + std::to_string(i);
  ResetWork work = ResetSlots({text});
  const auto tooLarge = ExpandProducts(work);
  EXPECT_TRUE(tooLarge[0]);
  EXPECT_FALSE(tooLarge[1]);
  EXPECT_EQ(Print(work[0]), text);
}

TEST(SwitchExpressions, MergeAdjacentTerms) {
  const std::vector<Case> cases = {
      {"X1.b.C+X1.B.C", "X1.C"},
      {"a.B.c+a.B.C+a.b", "a"},
      {"a.B+a.b.C+a.b.c", "a.B+a.b"},
      {"X.Y.Z+X.Y.z+X.y+W", "X+W"},
      {"X.Y+x.y", "X.Y+x.y"},
      {"X.Y+X.y.Z", "X.Y+X.y.Z"},
      {"X.Y.Z+X.y.z", "X.Y.Z+X.y.z"},
      {"A1.B+a1.B", "B"},
      {"A1.B+a1.b", "A1.B+a1.b"},
      {"A+a", "A+a"},  // single-literal terms never take part
      {"A.B", "A.B"},
  };
  for (const auto& c : cases) EXPECT_EQ(Merged(c.input), c.expected) << c.input;
  WorkEquations twice = Slots({"a.B+a.b.C+a.b.c"});
  MergeAdjacentTerms(twice);
  MergeAdjacentTerms(twice);
  EXPECT_EQ(Print(twice[0]), "a");
}

TEST(SwitchExpressions, SimplifyExpressions) {
  const std::vector<Case> cases = {
      {"A1+A1", "A1"},
      {"X.Y+X.Y", "X.Y"},
      {"A.a.B+C.D", "C.D"},
      {"X1.b.B+c.D", "c.D"},
      {"X.Y+X", "X"},
      {"X1.b.X1.C+Z", "b.X1.C+Z"},
      {"X1.b.x3+A.x3+A.x3+X1.b.b+A.b+A.b", "A.x3+X1.b+A.b"},
      {"X2.A.x4+B.x4+B.x4+X2.A.A+B.A+B.A", "B.x4+X2.A+B.A"},
      {"X.Y", "X.Y"},  // a single term stays as it is
      {"X.X", "X.X"},
      {"A.a+B.b", ""},  // every term contradictory
      {"A+B", "A+B"},
  };
  for (const auto& c : cases) EXPECT_EQ(Simplified(c.input), c.expected) << c.input;
}

TEST(SwitchExpressions, SinglePasses) {
  EXPECT_EQ(RemoveRepeatedLiterals("X1.b.X1.C+Y"), "b.X1.C+Y");
  EXPECT_EQ(RemoveRepeatedLiterals("A+B"), "A+B");
  EXPECT_EQ(RemoveContradictoryTerms("A.a.B+C.D"), "C.D");
  EXPECT_EQ(RemoveContradictoryTerms("A1.B+C.a1"), "A1.B+C.a1");
  EXPECT_EQ(RemoveAbsorbedTerms("X+X.Y+Z+X"), "X+Z");
  EXPECT_EQ(RemoveAbsorbedTerms("X.Y+Y.Z.X+Y"), "Y");
}

TEST(SwitchExpressions, EmptySlotsAndLiteralsStayPut) {
  const SlotTexts before{"", "X", "a1", "", "B", "", "", "Q7"};
  WorkEquations work = Slots(before);
  MergeAdjacentTerms(work);
  SimplifyExpressions(work, Names());
  EXPECT_EQ(Texts(work), before);
}

TEST(SwitchExpressions, TextOutsideTheGrammarNeverCrashes) {
  const std::vector<std::string> odd = {"+",    "++",  "X++Y", ".", ".X",  "X.",    "X..Y",   "+X.Y+",  ")(",
                                        ")()(", "a)(", ")(b",  "?", "?+?", "X.?+?", "a.)(.b", "++..++", "\xC3\xA9.A+a"};
  for (const auto& text : odd) {
    ResetWork reset = ResetSlots({text, text, text, text, text, text});
    ComplementExpressions(reset, Names());
    ExpandProducts(reset);
    WorkEquations work = Slots({text, text, text, text, text, text, text, text});
    MergeAdjacentTerms(work);
    MergeAdjacentTerms(work);
    SimplifyExpressions(work, Names());
  }
  EXPECT_EQ(Simplified("X++Y"), "X++Y");
}

// Random sums of products whose terms name each variable at most once (the
// merge is no general minimiser and assumes that): merging and the clean-up
// never change the switching function.
TEST(SwitchExpressions, RandomSumsKeepTheirFunction) {
  const unsigned seed = 20261207;
  std::mt19937 rng(seed);
  const std::string names = "ABCD";
  auto evaluate = [&](const std::string& sum, int assignment) {
    size_t start = 0;
    while (start <= sum.size()) {
      size_t end = sum.find('+', start);
      if (end == std::string::npos) end = sum.size();
      bool product = true;
      for (size_t i = start; i < end; i += 2) {
        const char c = sum[i];
        const int bit = (assignment >> (std::toupper(c) - 'A')) & 1;
        product = product && (std::isupper(c) ? bit == 1 : bit == 0);
      }
      if (product) return true;
      start = end + 1;
    }
    return false;
  };
  for (int round = 0; round < 500; ++round) {
    std::string sum;
    const int terms = 1 + rng() % 6;
    for (int t = 0; t < terms; ++t) {
      if (t > 0) sum += "+";
      std::string order = names;
      std::shuffle(order.begin(), order.end(), rng);
      const int literals = 1 + rng() % 4;
      for (int l = 0; l < literals; ++l) {
        if (l > 0) sum += ".";
        const char name = order[l];
        sum += (rng() % 2) ? name : static_cast<char>(std::tolower(name));
      }
    }
    const std::string merged = Merged(sum);
    const std::string simplified = Simplified(merged);
    for (int a = 0; a < 16; ++a) {
      ASSERT_EQ(evaluate(sum, a), evaluate(merged, a)) << "seed " << seed << " sum " << sum << " -> " << merged;
      if (!simplified.empty()) {
        ASSERT_EQ(evaluate(sum, a), evaluate(simplified, a))
            << "seed " << seed << " sum " << sum << " -> " << simplified;
      }
    }
  }
}

}  // namespace
}  // namespace kelvo

namespace kelvo {
namespace {

// The passes written plainly, step by step, against the faster ones, on
// random sums that include the odd cases: empty literals, a written "?",
// repeated literals, digits first, accented letters.
std::string PlainContradictions(const std::string& sum) {
  auto terms = Split(sum, "+");
  bool anyProduct = false;
  for (const auto& t : terms) anyProduct |= Contains(t, ".");
  if (!anyProduct) return sum;
  std::vector<std::string> kept;
  for (const auto& term : terms) {
    bool bad = false;
    if (Contains(term, ".")) {
      const auto l = Split(term, ".");
      for (size_t i = 0; i < l.size(); ++i)
        for (size_t j = i + 1; j < l.size(); ++j) bad |= ComplementContacts(l[i], l[j]);
    }
    if (!bad) kept.push_back(term);
  }
  return Join(kept, "+");
}

std::string PlainAbsorption(const std::string& sum) {
  auto terms = Split(sum, "+");
  for (size_t c = 0; c < terms.size(); ++c) {
    const auto needles = Split(terms[c], ".");
    for (size_t o = 0; o < terms.size(); ++o) {
      if (o == c || terms[o] == "?") continue;
      const auto hay = Split(terms[o], ".");
      bool all = true;
      for (const auto& n : needles) {
        all &= std::any_of(hay.begin(), hay.end(), [&](const std::string& h) { return SameContact(h, n); });
      }
      if (all) terms[o] = "?";
    }
  }
  return ReplaceAll(ReplaceAll(Join(terms, "+"), "+?", ""), "?+", "");
}

TEST(SwitchExpressions, FastPassesMatchThePlainSteps) {
  const unsigned seed = 424242;
  std::mt19937 rng(seed);
  const char* literals[] = {"A", "a", "B",  "b",  "C",  "c",        "X1",       "x1",
                            "?", "",  "1a", "Ab", "aB", "\xC3\xA9", "\xC3\x89", "AB"};
  for (int round = 0; round < 20000; ++round) {
    std::string sum;
    const int terms = 1 + rng() % 9;
    for (int t = 0; t < terms; ++t) {
      if (t > 0) sum += "+";
      const int n = 1 + rng() % 4;
      for (int k = 0; k < n; ++k) sum += (k > 0 ? "." : "") + std::string(literals[rng() % 16]);
    }
    ASSERT_EQ(RemoveContradictoryTerms(sum), PlainContradictions(sum)) << "seed " << seed << " sum " << sum;
    ASSERT_EQ(RemoveAbsorbedTerms(sum), PlainAbsorption(sum)) << "seed " << seed << " sum " << sum;
  }
}

}  // namespace
}  // namespace kelvo

namespace kelvo {
namespace {

// The literal steps of the three clean-up passes, written plainly (each sum
// split once, marks kept as "?" terms) so that they can check large sums.
std::string PlainRepeatedLiterals(const std::string& sum) {
  auto terms = Split(sum, "+");
  bool anyProduct = false;
  for (const auto& t : terms) anyProduct |= Contains(t, ".");
  if (!anyProduct) return sum;
  for (auto& term : terms) {
    if (!Contains(term, ".")) continue;
    const auto l = Split(term, ".");
    std::vector<std::string> kept;
    for (size_t i = 0; i < l.size(); ++i) {
      if (std::find(l.begin() + i + 1, l.end(), l[i]) == l.end()) kept.push_back(l[i]);
    }
    term = Join(kept, ".");
  }
  return Join(terms, "+");
}

std::string PlainAbsorptionOfLargeSums(const std::string& sum) {
  auto terms = Split(sum, "+");
  std::vector<std::vector<std::string>> split;
  for (const auto& t : terms) split.push_back(Split(t, "."));
  for (size_t c = 0; c < terms.size(); ++c) {
    const auto needles = split[c];
    for (size_t o = 0; o < terms.size(); ++o) {
      if (o == c || terms[o] == "?") continue;
      bool all = true;
      for (const auto& n : needles) all = all && std::find(split[o].begin(), split[o].end(), n) != split[o].end();
      if (all) terms[o] = "?", split[o] = {"?"};
    }
  }
  return ReplaceAll(ReplaceAll(Join(terms, "+"), "+?", ""), "?+", "");
}

std::string PlainSimplified(const std::string& sum) {
  if (!Contains(sum, "+")) return sum;
  return PlainAbsorptionOfLargeSums(PlainContradictions(PlainRepeatedLiterals(sum)));
}

// Random sums of every size up to a few thousand terms, as the synthesis
// makes them: products of a few of a small set of switches in either sense.
TEST(SwitchExpressions, CleanUpOfLargeSumsMatchesThePlainSteps) {
  const unsigned seed = 65536;
  std::mt19937 rng(seed);
  const char* names[] = {"A", "B", "C", "X1", "X2", "Y", "Z", "W", "T1", "U"};
  for (size_t size : {1, 2, 3, 5, 10, 30, 100, 300, 1000, 2500}) {
    for (int round = 0; round < (size < 100 ? 200 : 4); ++round) {
      // Every other round the terms are long enough that few absorb each other.
      const bool sparse = round % 2 == 1;
      std::string sum;
      const size_t width = sparse ? 6 + rng() % 4 : 1 + rng() % 6;
      for (size_t t = 0; t < size; ++t) {
        if (t > 0) sum += "+";
        const size_t n = sparse ? width : 1 + rng() % width;
        for (size_t k = 0; k < n; ++k) {
          std::string literal = names[rng() % 10];
          if (rng() % 2) literal = ToLower(literal);
          sum += (k > 0 ? "." : "") + literal;
        }
      }
      ASSERT_EQ(Simplified(sum), PlainSimplified(sum)) << "seed " << seed << " size " << size << " round " << round;
    }
  }
}

// The tables whose reset products have 1,152 and 15,552 terms: the expanded
// products and the final equations cleaned up give what the plain steps give.
TEST(SwitchExpressions, LargeProductsOfTablesMatchThePlainSteps) {
  const std::string data = KELVO_TEST_DATA;
  for (const std::string& file :
       {data + "/../tests/data/product-1152.sfi", data + "/../bench/tables/product-15552.sfi"}) {
    const auto table = ReadStatesFile(file);
    ASSERT_TRUE(table) << file;
    EquationSynthesis s;
    ASSERT_TRUE(s.CollectTransitions(*table).empty());
    ASSERT_TRUE(s.SynthesizeStateEquations().empty());
    size_t largest = 0;
    for (int x = 0; x < kStateVariables; ++x) {
      const VariableEquations& v = s.vars[x];
      if (v.factored == "-" || v.reset.empty()) continue;
      const std::string expanded = Expanded(v.factored.substr(2, v.factored.find(" )( ") - 2));
      largest = std::max(largest, Split(expanded, "+").size());
      EXPECT_EQ(Simplified(expanded), PlainSimplified(expanded)) << file << " " << x;
      std::vector<std::string> terms;
      const std::string hold(1, VariableLetter(x));
      for (const auto& p : Split(v.complementedReset, "+")) {
        for (const auto& q : Split(v.setWithHold + "+" + hold, "+")) terms.push_back(q + "." + p);
      }
      EXPECT_EQ(v.final, PlainSimplified(Join(terms, "+"))) << file << " " << x;
    }
    EXPECT_TRUE(largest == 1152 || largest == 15552) << largest;
  }
}

// Products of up to 65,536 terms are multiplied out; one more is refused.
TEST(SwitchExpressions, ProductsUpTo65536TermsAreMultipliedOut) {
  std::string four = "w+x+y+z";
  std::string text = four;
  for (int i = 1; i < 8; ++i) text += ")(" + four;
  ResetWork work = ResetSlots({text});
  EXPECT_FALSE(ExpandProducts(work)[0]);
  EXPECT_EQ(Split(Print(work[0]), "+").size(), 65536u);
  EXPECT_EQ(Simplified(Print(work[0])), "w+x+y+z");

  std::string wide = "a0";
  for (int i = 1; i < 65537; ++i) wide += "+a" + std::to_string(i);
  ResetWork tooLarge = ResetSlots({wide + ")(b"});
  EXPECT_TRUE(ExpandProducts(tooLarge)[0]);
  EXPECT_EQ(Print(tooLarge[0]), wide + ")(b");  // left as it was
  ResetWork justFits = ResetSlots({wide.substr(0, wide.rfind('+')) + ")(b"});
  EXPECT_FALSE(ExpandProducts(justFits)[0]);
}

}  // namespace
}  // namespace kelvo
