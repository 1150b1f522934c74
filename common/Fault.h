#pragma once
// What went wrong and where. Every function that can fail returns a Result:
// its value, or a Fault naming what failed and, when known, where (the line of
// a file, the state and transition of a table). The caller passes a fault up;
// only the windows and the companion tool turn it into a message.

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace kelvo {

struct Fault {
  std::string what;     // "'maybe' is not a flag", "not a regular file"; empty when no reason is known
  int line = 0;         // the line of a file, from 1; 0 for none
  int state = -1;       // the state of the table, 0..15; -1 for none
  int transition = -1;  // the transition slot of that state, 0..3; -1 for none

  // "line 200: 'maybe' is not a flag"; the bare text when there is no line.
  std::string Text() const { return line > 0 ? "line " + std::to_string(line) + ": " + what : what; }
  bool operator==(const Fault&) const = default;
};

// The faults' texts, in order, and joined a line each.
inline std::vector<std::string> FaultTexts(const std::vector<Fault>& faults) {
  std::vector<std::string> texts;
  texts.reserve(faults.size());
  for (const Fault& f : faults) texts.push_back(f.Text());
  return texts;
}
inline std::string JoinFaults(const std::vector<Fault>& faults) {
  std::string text;
  for (const Fault& f : faults) text += (text.empty() ? "" : "\n") + f.Text();
  return text;
}

// A Result<Done> is an action that returns nothing but may fail.
struct Done {
  bool operator==(const Done&) const = default;
};

template <class T>
class [[nodiscard]] Result {
public:
  Result(T value) : held_(std::in_place_index<0>, std::move(value)) {}      // NOLINT: a value is a success
  Result(Fault fault) : held_(std::in_place_index<1>, std::move(fault)) {}  // NOLINT: a fault is a failure

  bool ok() const { return held_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& operator*() { return std::get<0>(held_); }
  const T& operator*() const { return std::get<0>(held_); }
  T* operator->() { return &std::get<0>(held_); }
  const T* operator->() const { return &std::get<0>(held_); }
  // Only on a failed result.
  const Fault& fault() const { return std::get<1>(held_); }
  // The fault's text, or "" for a success.
  std::string why() const { return ok() ? std::string() : fault().Text(); }

private:
  std::variant<T, Fault> held_;
};

}  // namespace kelvo
