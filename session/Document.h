#pragma once
// The open table as a document: the state table and the hand edits of the
// drawing's views, the file it belongs to, and its history. It is the only
// writer of the table: the entry form, the automatic codes, Clear Form and
// the hand edits change it through the calls below, each a step that Undo
// takes back. Saving marks the step clean; exporting a view marks its hand
// edits as kept in a picture.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "session/DocumentHistory.h"

namespace kelvo {

class Document {
public:
  const StateDiagram& Table() const { return history_.Current().table; }
  const HandEditLayers& Edits() const { return history_.Current().edits; }
  const std::vector<HandEdit>& EditsOf(ViewKey view) const;
  bool HasHandEdits() const;

  // The file the table was last loaded from or saved to; empty for a new one.
  const std::string& Path() const { return path_; }

  // A table loaded or begun anew: a new history, no hand edits.
  void Open(StateDiagram table, std::string path);
  void ChangeTable(std::string what, StateDiagram table);
  // The same table as the form shows it, written the form's way (of an ON/OFF
  // pair both set, OFF): no step, and a clean document stays clean.
  void RestateTable(StateDiagram table);
  // False when the view holds as many edits as it may.
  bool AddHandEdit(ViewKey view, HandEdit edit, std::string what);
  // One more square of the stroke the view's last edit is.
  void ExtendStroke(ViewKey view, HandEditBox box);
  // The drawing the edits sat on is replaced.
  void DropHandEdits();

  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  std::string UndoText() const { return history_.UndoText(); }
  std::string RedoText() const { return history_.RedoText(); }
  void Undo();
  void Redo();

  // No change since the document was opened or saved, hand edits included.
  bool IsClean() const { return history_.IsClean(); }
  void MarkSaved(std::string path);
  // The table as last opened or saved: what its file holds.
  const StateDiagram& SavedTable() const { return savedTable_; }

  // Views whose hand edits changed since they were last exported.
  const std::set<ViewKey>& UnexportedViews() const { return unexported_; }
  void MarkExported(ViewKey view) { unexported_.erase(view); }

  // After every change, undo and redo included.
  std::function<void()> onChanged;

private:
  void Record(std::string what, DocumentState after);
  void Changed();
  void NoteEditsChanged(const HandEditLayers& before);

  DocumentHistory history_;
  std::string path_;
  StateDiagram savedTable_;
  std::set<ViewKey> unexported_;
};

}  // namespace kelvo
