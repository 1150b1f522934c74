#pragma once
// How the circuit fuzz target reads a table from arbitrary bytes: the table's
// fields one a line in the order of a states file, flag lines true when their
// length is odd. Shared with the regression tests of its findings.

#include <string_view>

#include "equations/ExpressionText.h"
#include "statediagram/StateDiagram.h"

namespace kelvo {

inline StateDiagram TableFromFuzzInput(std::string_view text) {
  const auto lines = Split(text, "\n");
  size_t n = 0;
  const auto next = [&]() -> std::string { return n < lines.size() ? lines[n++] : std::string(); };
  StateDiagram d;
  d.Clear();
  for (auto& c : d.Comments) c = next();
  for (auto& row : d.Targets)
    for (auto& t : row) t = next();
  for (auto& row : d.Triggers)
    for (auto& t : row) t = next();
  for (auto& c : d.Codes) c = next();
  for (auto& name : d.CoilNames) name = next();
  for (auto* flags : {&d.CoilOn, &d.CoilOff})
    for (auto& row : *flags)
      for (auto&& flag : row) flag = next().size() % 2 == 1;
  return d;
}

}  // namespace kelvo
