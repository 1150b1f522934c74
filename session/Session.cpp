#include "session/Session.h"

namespace kelvo {

Session::Session(UserDialogs& dialogs, Canvas& canvas, int shownState)
    : f2count(shownState),
      views(grid, equations, canvas, dialogs, document),
      form(dialogs, *this, document, f2count, equations),
      dialogs_(dialogs) {}

void Session::ShowEquationView(const EquationViewTexts& texts) {
  eqView = texts;
  if (onEquationView) onEquationView(texts);
}

void Session::HandOverCircuit() {
  handedOver = true;
  // Hand edits belong to the drawing of one table.
  if (editedTable_ && *editedTable_ != form.TableAsEdited()) document.DropHandEdits();
  editedTable_ = form.TableAsEdited();
  drawn = DrawingSource{form.table(), equations};
  if (beforeDrawing) beforeDrawing();
  views.DrawCirc();
  if (afterDrawing) afterDrawing();
}

void Session::CircuitNotDrawn() {
  handedOver = false;
  drawn.reset();
  views.Withdraw();
  if (afterWithdrawing) afterWithdrawing();
}

bool Session::AskDataLoss() { return dialogs_.AskYesNo(kDataLossQuestion, kDataLossTitle, Answer::No); }

bool Session::MayReplaceDrawing(const StateDiagram& next) {
  if (!document.HasHandEdits() || (editedTable_ && *editedTable_ == next)) return true;
  return AskDataLoss();
}

bool Session::MayDropHandEdits() { return !document.HasHandEdits() || AskDataLoss(); }

bool Session::DrawingIsStale() const { return drawn && views.HasCircuit() && editedTable_ != form.TableAsEdited(); }

void Session::Undo() {
  form.StoreStatePage();  // typing not yet stored is the step undone first
  const HandEditLayers before = document.Edits();
  document.Undo();
  Restored(before);
}

void Session::Redo() {
  form.StoreStatePage();
  const HandEditLayers before = document.Edits();
  document.Redo();
  Restored(before);
}

void Session::Restored(const HandEditLayers& editsBefore) {
  form.ShowStatePage();
  if (document.Edits() != editsBefore) views.Redraw();
}

}  // namespace kelvo
