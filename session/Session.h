#pragma once
// One open table and everything the program holds for it: the document (the
// table, its hand edits and their history), the entry form's logic with the
// synthesis, the equation set, the ladder grids and the circuit views that
// draw onto one canvas. "Circuit" hands its equations over here and DrawCircuits
// draws them; the window, the command-line tool, the fuzz targets, the
// benchmarks and the tests all build one Session and drive its flows, so that
// there is one copy of every flow.
//
// The drawing keeps the table and the equations it was made from, so that
// the check and the simulation run what is drawn, and can say when the table
// has changed since.
//
// Questions and notices go through the UserDialogs given; what the window
// does around a hand-over (enabling its menu, hiding the form, repainting)
// hangs on the callbacks.

#include <functional>
#include <optional>

#include "analysis/CircuitCheck.h"
#include "common/UserDialogs.h"
#include "equations/EquationSet.h"
#include "equations/EquationView.h"
#include "ladder/Canvas.h"
#include "ladder/LadderGrid.h"
#include "session/CircuitViews.h"
#include "session/Document.h"
#include "session/EntryForm.h"

namespace kelvo {

inline constexpr const char* kTransitToolTitle = "Assign Codes with Transit States";

inline constexpr const char* kStaleDrawing =
    "The table has changed since the circuit was drawn: press Circuit to draw it again.";

// What the drawing on the canvas was made from.
struct DrawingSource {
  StateDiagram table;
  EquationSet equations;
};

class Session : public EntryFormHost {
public:
  Session(UserDialogs& dialogs, Canvas& canvas, int firstState = 0);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // EntryFormHost: the end of "Equations" and of "Circuit".
  void ShowEquationView(const EquationViewTexts& texts) override;
  void HandOverCircuit() override;
  void CircuitNotDrawn() override;
  // Asks before a drawing with unexported hand edits gives way to one of
  // another table.
  bool MayReplaceDrawing(const StateDiagram& next) override;

  // Before a new document replaces this one (Open, New Form): when the
  // drawing has hand edits not exported, asks before they are lost. False:
  // keep all.
  bool MayDropHandEdits();

  // "Assign Codes with Transit States": codes in which every transition
  // changes one digit, with the fewest transit states added; shown, and on
  // Yes typed in as one step ("Auto" unticked). False when there are none
  // (the user is told why) or the user said No.
  bool AssignCodesWithTransitStates();

  // What the user should know about the drawing: why the automatic codes
  // gave up, the notes on the drawn table's codes and transit states, and the
  // drawing's own notes.
  std::vector<std::string> Notes() const;
  // "Check Circuit" on the circuits drawn; nothing while none is.
  std::optional<CheckReport> CheckDrawing() const;
  // "Check: 14 passed", "Check: 3 of 17 failed (Ctrl+K shows why)".
  static std::string Verdict(const CheckReport& report);

  // Undo and Redo over the table and the hand edits; the form shows the
  // table again and the view shown is redrawn with its edits.
  void Undo();
  void Redo();

  int shownState;  // the state shown on the entry form
  Document document;
  EquationSet equations;
  LadderGrid grid;
  CircuitViews views;
  EntryForm form;

  // The texts of the last "Equations", and whether a "Circuit" reached the drawing.
  std::optional<EquationViewTexts> eqView;
  bool handedOver = false;
  // The table and equations of the circuits drawn; none while nothing is.
  std::optional<DrawingSource> drawn;
  // A circuit is drawn and the table (with the page being edited) is no
  // longer the one it was drawn from.
  bool DrawingIsStale() const;

  // Called when "Equations" has its texts; before DrawCircuits and after it when
  // "Circuit" hands over.
  std::function<void(const EquationViewTexts&)> onEquationView;
  std::function<void()> beforeDrawing;
  std::function<void()> afterDrawing;
  // Called when the circuit shown was withdrawn because "Circuit" stopped.
  std::function<void()> afterWithdrawing;

private:
  bool AskDataLoss();
  void Restored(const HandEditLayers& editsBefore);

  UserDialogs& dialogs_;
  // The table the hand edits were made over.
  std::optional<StateDiagram> editedTable_;
};

}  // namespace kelvo
