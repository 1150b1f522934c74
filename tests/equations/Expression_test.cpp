#include "equations/Expression.h"

#include <gtest/gtest.h>

#include <iostream>
#include <random>

namespace kelvo {
namespace {

// Text read and printed again is the same text, empty pieces and
// unexpanded products included; the shape is what the text steps split.
TEST(Expression, TextReadsAndPrintsBack) {
  struct Case {
    std::string text;
    size_t terms;  // as a sum
    size_t factors;
  };
  const std::vector<Case> cases = {
      {"", 0, 0},
      {"X1", 1, 1},
      {"X1.b+A", 2, 1},
      {"X++Y", 3, 1},
      {"+", 2, 1},
      {".", 1, 1},
      {"x+y)(z", 2, 2},
      {")(", 1, 2},
      {")()(", 1, 3},
      {"a.)(.b", 1, 2},
      {"A.?+?", 2, 1},
      {"\xC3\xA9.A+a", 2, 1},
      {"start+A1+d)(dt+b", 4, 2},
  };
  ContactNames names;
  for (const auto& c : cases) {
    const Sum sum = ParseSum(c.text, names);
    const ProductOfSums product = ParseProduct(c.text, names);
    EXPECT_EQ(Print(sum), c.text);
    EXPECT_EQ(Print(product), c.text);
    EXPECT_EQ(sum.size(), c.terms) << c.text;
    EXPECT_EQ(product.size(), c.factors) << c.text;
  }
  EXPECT_TRUE(Blank(ParseSum("", names)));
  EXPECT_TRUE(Blank(Sum{Term{names.Of("")}}));
  EXPECT_FALSE(Blank(ParseSum("+", names)));

  const unsigned seed = 7071;
  std::mt19937 rng(seed);
  const std::string alphabet = "aB1.+)(?\xC3";
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    for (size_t i = 0, n = rng() % 12; i < n; ++i) text += alphabet[rng() % alphabet.size()];
    ASSERT_EQ(Print(ParseSum(text, names)), text) << "seed " << seed;
    ASSERT_EQ(Print(ParseProduct(text, names)), text) << "seed " << seed;
  }
  std::cout << "seed " << seed << "\n";
}

// Spellings of one switch: same contact, complement, or neither.
TEST(Expression, ContactsCompareAsSwitches) {
  struct Case {
    std::string a, b;
    bool same, complements;
  };
  const std::vector<Case> cases = {
      {"Start", "START", true, false},
      {"Start", "start", false, true},
      {"start", "sTART", true, false},
      {"dT", "DT", false, true},  // the first letter decides the sense
      {"dT", "dt", true, false},
      {"X1", "x1", false, true},
      {"X1", "X2", false, false},
      {"X\xC3\xA9", "X\xC3\x89", true, false},  // Xé and XÉ
      {"A\xC3\xA9", "a\xC3\xA9", false, true},
      {"1a", "1A", false, false},  // no name: the same only as itself
      {"1a", "1a", true, false},
      {"b)(dt", "B)(DT", false, false},
      {"", "", true, false},
  };
  ContactNames names;
  for (const auto& c : cases) {
    const Literal a = names.Of(c.a), b = names.Of(c.b);
    EXPECT_EQ(a.SameContact(b), c.same) << c.a << " " << c.b;
    EXPECT_EQ(a.Complements(b), c.complements) << c.a << " " << c.b;
    EXPECT_EQ(a.Text(), c.a);
  }
  EXPECT_EQ(names.Complement(names.Of("dT")).Text(), "DT");
  EXPECT_EQ(names.Complement(names.Of("Start")).Text(), "start");
  EXPECT_EQ(names.Of("Start").Switch(), names.Of("sTaRt").Switch());
  EXPECT_TRUE(names.Of("Go").NormallyOpen());
  EXPECT_EQ(names.Of("1a").ContactSense(), Sense::Verbatim);
}

}  // namespace
}  // namespace kelvo
