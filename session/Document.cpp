#include "session/Document.h"

namespace kelvo {

const std::vector<HandEdit>& Document::EditsOf(ViewKey view) const {
  static const std::vector<HandEdit> kNone;
  const auto found = Edits().find(view);
  return found == Edits().end() ? kNone : found->second;
}

bool Document::HasHandEdits() const {
  for (const auto& [view, edits] : Edits()) {
    if (!edits.empty()) return true;
  }
  return false;
}

void Document::Open(StateDiagram table, std::string path) {
  savedTable_ = table;
  history_.Reset({std::move(table), {}});
  path_ = std::move(path);
  unexported_.clear();
  Changed();
}

void Document::ChangeTable(std::string what, StateDiagram table) {
  if (table == Table()) return;
  DocumentState after = history_.Current();
  after.table = std::move(table);
  Record(std::move(what), std::move(after));
}

void Document::RestateTable(StateDiagram table) {
  DocumentState now = history_.Current();
  now.table = std::move(table);
  history_.Restate(std::move(now));
}

bool Document::AddHandEdit(ViewKey view, HandEdit edit, std::string what) {
  DocumentState after = history_.Current();
  auto& edits = after.edits[view];
  if (edits.size() >= kMaxHandEditsPerView) return false;
  edits.push_back(std::move(edit));
  Record(std::move(what), std::move(after));
  return true;
}

void Document::ExtendStroke(ViewKey view, HandEditBox box) {
  const auto& edits = EditsOf(view);
  if (edits.empty() || edits.back().kind != HandEdit::Kind::Rub || edits.back().boxes.size() >= kMaxBoxesPerStroke ||
      edits.back().boxes.back() == box) {
    return;
  }
  DocumentState after = history_.Current();
  after.edits[view].back().boxes.push_back(box);
  history_.Amend(std::move(after));
  unexported_.insert(view);
  Changed();
}

void Document::DropHandEdits() {
  if (!HasHandEdits()) return;
  DocumentState after = history_.Current();
  after.edits.clear();
  Record("Drop Hand Edits", std::move(after));
}

void Document::Undo() {
  const HandEditLayers before = Edits();
  history_.Undo();
  NoteEditsChanged(before);
  Changed();
}

void Document::Redo() {
  const HandEditLayers before = Edits();
  history_.Redo();
  NoteEditsChanged(before);
  Changed();
}

void Document::MarkSaved(std::string path) {
  path_ = std::move(path);
  savedTable_ = Table();
  history_.MarkClean();
  Changed();
}

void Document::Record(std::string what, DocumentState after) {
  const HandEditLayers before = Edits();
  history_.Record(std::move(what), std::move(after));
  NoteEditsChanged(before);
  Changed();
}

void Document::NoteEditsChanged(const HandEditLayers& before) {
  // A view whose edits differ from those last exported needs exporting again;
  // one left without edits has nothing to lose.
  std::set<ViewKey> views;
  for (const auto& [view, edits] : before) views.insert(view);
  for (const auto& [view, edits] : Edits()) views.insert(view);
  for (ViewKey view : views) {
    const auto& now = EditsOf(view);
    const auto was = before.find(view);
    if (was != before.end() && was->second == now) continue;
    if (now.empty()) {
      unexported_.erase(view);
    } else {
      unexported_.insert(view);
    }
  }
}

void Document::Changed() {
  if (onChanged) onChanged();
}

}  // namespace kelvo
