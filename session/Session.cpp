#include "session/Session.h"

#include "statediagram/CodingSearch.h"
#include "statediagram/DesignNotes.h"

namespace kelvo {

Session::Session(UserDialogs& dialogs, Canvas& canvas, int firstState)
    : shownState(firstState),
      views(grid, equations, canvas, dialogs, document),
      form(dialogs, *this, document, shownState, equations),
      dialogs_(dialogs) {}

void Session::ShowEquationView(const EquationViewTexts& texts) {
  eqView = texts;
  if (onEquationView) onEquationView(texts);
}

void Session::HandOverCircuit() {
  handedOver = true;
  // Hand edits belong to the drawing of one table.
  StateDiagram edited = form.TableAsEdited();
  if (editedTable_ && *editedTable_ != edited) document.DropHandEdits();
  editedTable_ = std::move(edited);
  drawn = DrawingSource{form.table(), equations};
  if (beforeDrawing) beforeDrawing();
  views.DrawCircuits();
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
  if (document.UnexportedViews().empty() || (editedTable_ && *editedTable_ == next)) return true;
  return AskDataLoss();
}

bool Session::MayDropHandEdits() { return document.UnexportedViews().empty() || AskDataLoss(); }

bool Session::DrawingIsStale() const { return drawn && views.HasCircuit() && editedTable_ != form.TableAsEdited(); }

bool Session::AssignCodesWithTransitStates() {
  form.StoreStatePage();
  const CodingResult coding = FindCoding(form.table(), true);
  if (!coding.found) {
    dialogs_.Notify(coding.reason, kTransitToolTitle);
    return false;
  }
  const std::string question = CodingText(form.table(), coding) + "\n\nType these codes into the table?";
  if (!dialogs_.AskYesNo(question, kTransitToolTitle, Answer::Yes)) return false;
  document.ChangeTable(kTransitToolTitle, WithCoding(form.table(), coding));
  form.autoCodes = false;
  form.autoCodesFailure.reset();
  form.ShowStatePage();
  return true;
}

std::vector<std::string> Session::Notes() const {
  std::vector<std::string> notes;
  if (const std::string why = form.AutoCodesWhy(); !why.empty()) notes.push_back(why);
  if (drawn) {
    const auto design = DesignNotes(drawn->table);
    notes.insert(notes.end(), design.begin(), design.end());
  }
  const auto drawing = views.DrawingNotes();
  notes.insert(notes.end(), drawing.begin(), drawing.end());
  return notes;
}

std::optional<CheckReport> Session::CheckDrawing() const {
  if (!drawn || !views.HasCircuit()) return std::nullopt;
  return CheckCircuit(drawn->table, drawn->equations, grid, views.parallelForm);
}

std::string Session::Verdict(const CheckReport& report) {
  const int all = static_cast<int>(report.findings.size());
  if (report.Failed() == 0) return "Check: " + std::to_string(all) + " passed";
  return "Check: " + std::to_string(report.Failed()) + " of " + std::to_string(all) + " failed (Ctrl+K shows why)";
}

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
