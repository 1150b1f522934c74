#include "ui/CheckVerdict.h"

#include <QMetaObject>
#include <chrono>

#include "analysis/CircuitCheck.h"
#include "session/Session.h"

namespace kelvo {

CheckVerdict::~CheckVerdict() { Wait(); }

void CheckVerdict::Start(const StateDiagram& table, const EquationSet& equations, const LadderGrid& grid,
                         bool parallelForm) {
  const int generation = ++*generation_;
  line_->clear();
  std::erase_if(running_, [](const std::future<void>& f) {
    return f.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
  });
  auto grids = std::make_shared<LadderGrid>(grid);
  std::weak_ptr<int> current = generation_;
  // The label outlives the worker: this object waits for it before going.
  QLabel* line = line_;
  running_.push_back(std::async(std::launch::async, [=] {
    const std::string verdict = Session::Verdict(CheckCircuit(table, equations, *grids, parallelForm));
    QMetaObject::invokeMethod(
        line,
        [line, current, generation, verdict] {
          const auto latest = current.lock();
          if (latest && *latest == generation) line->setText(QString::fromStdString(verdict));
        },
        Qt::QueuedConnection);
  }));
}

void CheckVerdict::Clear() {
  ++*generation_;
  line_->clear();
}

void CheckVerdict::Wait() {
  for (auto& f : running_) f.wait();
  running_.clear();
}

}  // namespace kelvo
