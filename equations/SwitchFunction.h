#pragma once
// Switching functions for evaluation. Expression text ("X1.b+A") is read into
// terms of literals whose variables are numbered by a VariableTable; a set of
// variable values is a bit mask with bit i for variable i. The table always
// starts with the state relays A, B, C, D as variables 0..3, so a relay code
// is the low four bits of a mask. Names compare ignoring case, as contacts do
// (ExpressionText's SameContact): "x1" and "X1" are the two contacts of switch X1.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

inline constexpr int kMaxVariables = 64;        // one bit per variable in a mask
inline constexpr int kStateRelayVariables = 4;  // A, B, C, D are variables 0..3

class VariableTable {
public:
  VariableTable();
  // The number of `literal`'s variable, added when new; -1 when the table is full.
  int Index(std::string_view literal);
  int Size() const { return static_cast<int>(names_.size()); }
  // The name as first written with an upper-case first letter, else as first written.
  const std::string& Name(int index) const { return shown_[index]; }
  bool Full() const { return full_; }

private:
  std::vector<std::string> names_;  // upper case, for comparing
  std::vector<std::string> shown_;
  bool full_ = false;
};

// True when a literal's contact closes with its variable on (upper-case first letter).
bool ClosedWhenOn(std::string_view literal);

// A product of literals as two masks: the variables that must be on, and
// those that must be off.
struct Cube {
  uint64_t on = 0;
  uint64_t off = 0;
  bool Contradictory() const { return (on & off) != 0; }
  // Every setting of `other` is one of this cube's: this cube's literals are among other's.
  bool Covers(const Cube& other) const { return (on & ~other.on) == 0 && (off & ~other.off) == 0; }
};

// 64 settings at once: lane j of word v is the value of variable v in setting j.
using Lanes = std::array<uint64_t, 64>;

class SwitchFunction {
public:
  // A sum of products; the empty text is the constant false.
  static SwitchFunction Parse(const std::string& sum, VariableTable& table);
  // A two-part equation "first|second": first AND second, an empty first group
  // leaving the second alone.
  static SwitchFunction ParseTwoPart(const std::string& equation, VariableTable& table);

  bool Evaluate(uint64_t values) const;
  // The function in 64 settings at once: bit j is its value in setting j.
  uint64_t EvaluateLanes(const Lanes& lanes) const;
  // The function multiplied out into cubes without contradictory ones; none
  // when there would be more than `limit`.
  std::optional<std::vector<Cube>> Cubes(size_t limit) const;
  // The mask of the variables the function reads.
  uint64_t Variables() const { return variables_; }

private:
  struct Literal {
    int variable;
    bool closedWhenOn;
  };
  using Product = std::vector<Literal>;
  using Sum = std::vector<Product>;

  static Sum ReadSum(std::string_view text, VariableTable& table, uint64_t& variables);

  std::vector<Sum> factors_;  // all must be true
  uint64_t variables_ = 0;
};

}  // namespace kelvo
