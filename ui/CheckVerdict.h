#pragma once
// The verdict line of the status bar after every "Circuit": "Check Circuit"
// runs on a copy of what was drawn on a worker thread, so the window stays
// responsive on the largest table, and the line is set when it is done.
// A newer drawing replaces the check of an older one.

#include <QLabel>
#include <future>
#include <memory>
#include <vector>

#include "equations/EquationSet.h"
#include "ladder/LadderGrid.h"
#include "statediagram/StateDiagram.h"

namespace kelvo {

class CheckVerdict {
public:
  explicit CheckVerdict(QLabel* line) : line_(line) {}
  ~CheckVerdict();
  CheckVerdict(const CheckVerdict&) = delete;
  CheckVerdict& operator=(const CheckVerdict&) = delete;

  void Start(const StateDiagram& table, const EquationSet& equations, const LadderGrid& grid, bool parallelForm);
  // Nothing drawn: no verdict.
  void Clear();
  // Waits for the checks running, if any.
  void Wait();

private:
  QLabel* line_;
  std::shared_ptr<int> generation_ = std::make_shared<int>(0);
  std::vector<std::future<void>> running_;
};

}  // namespace kelvo
