#include "session/DocumentHistory.h"

namespace kelvo {

void DocumentHistory::Reset(DocumentState state) {
  steps_.assign(1, Step{{}, std::move(state)});
  at_ = 0;
  clean_ = 0;
}

void DocumentHistory::Record(std::string what, DocumentState after) {
  if (after == Current()) return;
  steps_.resize(at_ + 1);
  if (clean_ && *clean_ > at_) clean_.reset();
  steps_.push_back(Step{std::move(what), std::move(after)});
  ++at_;
  if (steps_.size() > kMaxSteps) {
    steps_.erase(steps_.begin());
    --at_;
    if (clean_) clean_ = *clean_ == 0 ? std::nullopt : std::optional<size_t>(*clean_ - 1);
  }
}

void DocumentHistory::Amend(DocumentState after) {
  if (at_ > 0) steps_[at_].state = std::move(after);
}

void DocumentHistory::Undo() {
  if (CanUndo()) --at_;
}

void DocumentHistory::Redo() {
  if (CanRedo()) ++at_;
}

}  // namespace kelvo
