#pragma once
// The logic of the state entry form, without widgets. It changes the
// document's table through the document, holds the synthesis's working
// storage and what the form's controls show (the page of state shownState, the
// target lists, the "Auto" box) and runs the form's commands: paging, Clear
// Form, Load, Save, "Equations" and "Circuit". Storing a page, Clear Form,
// the field check's removals and the automatic codes are each one step of the
// document's history. The window maps its widgets onto `shown` and repaints them when
// `onRepaint` fires; the command-line tool and tests drive the same object.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/Fault.h"
#include "common/UserDialogs.h"
#include "equations/EquationSet.h"
#include "equations/EquationSynthesis.h"
#include "equations/EquationView.h"
#include "session/Document.h"
#include "statediagram/StateDiagram.h"

namespace kelvo {

// How a flow of the form ended: it ran to its end, or why it stopped.
enum class FlowEnd {
  Done,                // the equation view was shown, or the circuits handed over
  EmptyCode,           // the shown state has no code and "Auto" is not ticked
  FieldCheckDeclined,  // No to a question of the field check
  AutoCodesAborted,    // the automatic codes gave up ("Equations" only; "Circuit" goes on)
  SynthesisRefused,    // a target, a trigger or a product the synthesis cannot take
  DrawingKept,         // No to replacing a drawing that has hand edits ("Circuit" only)
};

// What the form asks of the main window.
class EntryFormHost {
public:
  virtual ~EntryFormHost() = default;
  // "Equations" finished: show the equation view.
  virtual void ShowEquationView(const EquationViewTexts& texts) = 0;
  // "Circuit" finished: enable the main window and its "State Diagram" menu,
  // hide the form and draw the circuits of the equation set.
  virtual void HandOverCircuit() = 0;
  // "Circuit" stopped before drawing: the circuit shown, if any, is no longer
  // the table's.
  virtual void CircuitNotDrawn() {}
  // Before "Circuit" goes on with the table `next`: false keeps the drawing
  // and its hand edits, and the flow stops with nothing changed.
  virtual bool MayReplaceDrawing(const StateDiagram& next) {
    (void)next;
    return true;
  }
};

class EntryForm {
public:
  EntryForm(UserDialogs& dialogs, EntryFormHost& host, Document& document, int& shownState, EquationSet& equations);

  // The table, and the working storage of the synthesis.
  const StateDiagram& table() const { return document_.Table(); }
  EquationSynthesis synthesis;
  // Set when the automatic codes of the last flow gave up: why, told from the
  // table's transitions (empty when their message says it all).
  std::optional<Fault> autoCodesFailure;
  std::string AutoCodesWhy() const { return autoCodesFailure ? autoCodesFailure->what : std::string(); }

  // What the controls show.
  StatePage shown;
  bool autoCodes = false;
  std::array<std::vector<std::string>, kSlotCount> targetLists;
  std::string stateCaption = "S0";
  std::string targetsCaption = "S0 To:";
  bool backEnabled = false;
  bool nextEnabled = true;

  // Called after the controls' values above changed.
  std::function<void()> onRepaint;

  void ShowStatePage();
  // The shown page into the table, as one step when it differs.
  void StoreStatePage();
  // The table with the shown page stored, as a save now would write it.
  StateDiagram TableAsEdited() const { return AsEdited(table(), true); }
  void ClearForm();
  void NextState();
  void PreviousState();
  void ClearTable();
  // The questions on fields left incomplete; false when one was answered No.
  bool CheckIncompleteFields();
  // "Equations" and "Circuit": how each ended.
  FlowEnd ShowEquations();
  FlowEnd DrawCircuit();
  // Load and Save through the file dialog; the file operations themselves.
  // A failed or cancelled load leaves the table and the shown page as they were.
  bool OpenWithDialog();
  bool SaveWithDialog();  // false when cancelled or failed
  // Save to the table's own file; through the dialog when it has none.
  bool Save();
  bool LoadStatesFrom(const std::string& path);
  bool SaveStatesTo(const std::string& path);

  // A table given from outside (a test, a fuzz input) as a new document.
  void OpenTable(StateDiagram table, std::string path = {});

  // The table as a document: the file it was last loaded from or saved to
  // ("" for a new table), and whether the table changed since then, the page
  // being edited included (hand edits are not saved with it).
  const std::string& documentPath() const { return document_.Path(); }
  bool Modified() const;
  // The file's name ("garage-door.sfi"), or "Untitled" for a new table.
  std::string DocumentName() const;
  // An empty table as a new document without a file, at the page of S0.
  void NewDocument();
  // Before a command that replaces the table: when it changed, asks "Save
  // changes to x.sfi?" (Save runs Save, Discard goes on). False when the
  // user cancelled or the save did not happen.
  bool SaveChangesFirst();
  // After opening a file in the window: a table whose states in use have no
  // code at all is offered the automatic codes ("Auto" ticked on Yes).
  void OfferAutoCodes();

  // Key filters of the code box and the trigger boxes: whether `key` typed at
  // `caret` (0-based) into `text` is accepted; U'\b' is Backspace.
  static bool AcceptsCodeKey(std::u32string_view text, int caret, char32_t key);
  static bool AcceptsTriggerKey(std::u32string_view text, int caret, char32_t key);
  // The comment and relay name boxes: no control characters.
  static bool AcceptsTextKey(std::u32string_view text, int caret, char32_t key);

  // The hint texts of the frames.
  static const char* const kCodeHint;
  static const char* const kTransitionHint;
  static const char* const kRelayHint;
  static const char* const kAutoHint;

private:
  // Page `state` as the form shows it: of an ON/OFF pair both set, OFF wins.
  static StatePage PageAsShown(const StateDiagram& table, int state);
  // The table as a save now would write it, with every page as shown.
  StateDiagram AsEdited(StateDiagram table, bool withShownPage) const;
  bool CheckEmptyCode();
  bool RunAssignStateCodes();
  bool Synthesize();
  FlowEnd RunCircuit();
  void Repaint() {
    if (onRepaint) onRepaint();
  }

  UserDialogs& dialogs_;
  EntryFormHost& host_;
  Document& document_;
  int& shownState_;
  EquationSet& equations_;
};

}  // namespace kelvo
