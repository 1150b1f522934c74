#pragma once
// The history of one open document: every change is a named step that holds
// the document as it is after the change (the table and the hand edits of
// every view), so Undo and Redo move between whole, consistent states. The
// clean mark is the step last saved; a document at its clean step has no
// unsaved change. A new or loaded document starts a new history.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "session/HandEdits.h"
#include "statediagram/StateDiagram.h"

namespace kelvo {

struct DocumentState {
  StateDiagram table;
  HandEditLayers edits;
  bool operator==(const DocumentState&) const = default;
};

class DocumentHistory {
public:
  // The oldest steps go when there are more; a document is small, so this
  // bounds the history to a few megabytes.
  static constexpr size_t kMaxSteps = 200;

  // A new document: one clean step, nothing to undo.
  void Reset(DocumentState state);
  // A change, named for the Edit menu ("Edit S3"): drops what could be redone.
  // A change that leaves the document as it is records nothing.
  void Record(std::string what, DocumentState after);
  // The last step goes on (a rubbed stroke grows while the button is down).
  void Amend(DocumentState after);
  // The current step holds `state` instead, an equivalent of what it held.
  void Restate(DocumentState state) { steps_[at_].state = std::move(state); }

  const DocumentState& Current() const { return steps_[at_].state; }
  bool CanUndo() const { return at_ > 0; }
  bool CanRedo() const { return at_ + 1 < steps_.size(); }
  // What Undo and Redo would take back or do again; empty when nothing.
  std::string UndoText() const { return CanUndo() ? steps_[at_].what : std::string(); }
  std::string RedoText() const { return CanRedo() ? steps_[at_ + 1].what : std::string(); }
  void Undo();
  void Redo();

  void MarkClean() { clean_ = at_; }
  bool IsClean() const { return clean_ == at_; }

private:
  struct Step {
    std::string what;
    DocumentState state;
  };
  std::vector<Step> steps_{Step{}};
  size_t at_ = 0;
  std::optional<size_t> clean_ = 0;  // none once the saved step was dropped
};

}  // namespace kelvo
