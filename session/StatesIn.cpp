#include "session/StatesIn.h"

#include "common/CodePoints.h"
#include "equations/ExpressionText.h"
#include "session/TableFaults.h"
#include "statediagram/AutoCodes.h"
#include "statediagram/CodingTrouble.h"
#include "statediagram/StatesFile.h"

namespace kelvo {
namespace {

constexpr const char* kFieldErrorTitle = "Possible Field Error";
constexpr const char* kTableFaultsTitle = "Table to correct";
constexpr const char* kEmptyCodeMessage = "Check the DCBA 'Auto' Box or complete the DCBA text Box";

bool IsAsciiLetter(char32_t c) { return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z'); }

}  // namespace

const char* const StatesIn::kCodeHint =
    "    Enter the binary Variables Manually or check the 'Auto' box for automatic calculation.  You must give a "
    "value to all the binary variables even if you don't use them. Ex. 0010";
const char* const StatesIn::kTransitionHint =
    "    Choose the State transitions and complete the equivalent text boxes with the variable or equation that "
    "triggers the transition. Ex. A1.B1+dt.a1.C1+b1.DT .                                        Each variable must "
    "begin with a letter. Upper case characters represent Normally Open switches and Lower case characters "
    "represent Normally Close Switches.";
const char* const StatesIn::kRelayHint =
    "    Complete all the necessary text boxes with the relays that the circuit controls. If you enter a relay you "
    "must enter it's condition in each state.";
const char* const StatesIn::kAutoHint =
    "    Check this box for automatic calculation of the binary variables of each state.";

StatesIn::StatesIn(UserDialogs& dialogs, StatesInHost& host, Document& document, int& f2count, EquationSet& equations)
    : dialogs_(dialogs), host_(host), document_(document), f2count_(f2count), equations_(equations) {
  Form_Load();
}

void StatesIn::Form_Load() { ShowStatePage(); }

void StatesIn::ShowStatePage() {
  const int n = f2count_;
  if (!IsValidState(n)) return;  // the paging buttons keep it in range
  stateCaption = "S" + std::to_string(n);
  frame2Caption = stateCaption + " To:";
  for (auto& list : targetLists) {
    list.clear();
    for (int s = 0; s < kStateCount; ++s) {
      if (s != n) list.push_back("S" + std::to_string(s));
    }
  }
  backEnabled = n != 0;
  nextEnabled = n != kStateCount - 1;
  shown = PageAsShown(table(), n);
  Repaint();
}

StatePage StatesIn::PageAsShown(const StateDiagram& table, int state) {
  StatePage page = table.Page(state);
  // The ON/OFF pair of a row is one exclusive choice: OFF wins when both are set.
  for (int r = 0; r < kRelayCount; ++r) page.on[r] = table.CoilOn[state][r] && !table.CoilOff[state][r];
  return page;
}

StateDiagram StatesIn::AsEdited(StateDiagram table, bool withShownPage) const {
  if (withShownPage && IsValidState(f2count_)) table.StorePage(f2count_, shown);
  for (int s = 0; s < kStateCount; ++s) table.StorePage(s, PageAsShown(table, s));
  return table;
}

bool StatesIn::Modified() const { return AsEdited(document_.SavedTable(), false) != TableAsEdited(); }

std::string StatesIn::DocumentName() const {
  if (documentPath().empty()) return "Untitled";
  const auto slash = documentPath().find_last_of('/');
  return slash == std::string::npos ? documentPath() : documentPath().substr(slash + 1);
}

void StatesIn::NewDocument() {
  synthesis.Clear();
  OpenTable({});
}

void StatesIn::OpenTable(StateDiagram table, std::string path) {
  document_.Open(std::move(table), std::move(path));
  Form_Load();
}

void StatesIn::OfferAutoCodes() {
  bool inUse = false;
  for (int s = 0; s < kStateCount; ++s) {
    if (!table().Codes[s].empty()) return;
    for (int j = 0; j < kSlotCount; ++j) inUse = inUse || !table().Targets[s][j].empty();
  }
  if (!inUse || dcbaAuto) return;
  if (dialogs_.AskYesNo("This table has no state codes. Assign them automatically?", {}, Answer::Yes)) {
    dcbaAuto = true;
    Repaint();
  }
}

bool StatesIn::SaveChangesFirst() {
  if (!Modified()) return true;
  switch (dialogs_.ShowMessage("Save changes to " + DocumentName() + "?", {}, MessageButtons::SaveDiscardCancel,
                               Answer::Save, {})) {
    case Answer::Discard:
      return true;
    case Answer::Save:
      return Save();
    default:
      return false;
  }
}

void StatesIn::StoreStatePage() {
  if (!IsValidState(f2count_)) return;
  StateDiagram edited = table();
  edited.StorePage(f2count_, shown);
  if (edited == table()) return;
  // A page stored as the form showed it is no change, even where the file
  // had both ON and OFF set.
  if (AsEdited(table(), false) == AsEdited(edited, false)) {
    document_.RestateTable(std::move(edited));
  } else {
    document_.ChangeTable("Edit S" + std::to_string(f2count_), std::move(edited));
  }
}

void StatesIn::ClearForm() {
  StateDiagram cleared = table();
  cleared.Clear();
  document_.ChangeTable("Clear Form", std::move(cleared));
  synthesis.Clear();
  Form_Load();
}

void StatesIn::NextButton_Click() {
  if (f2count_ >= kStateCount - 1) return;
  StoreStatePage();
  for (auto& list : targetLists) list.clear();
  ++f2count_;
  ShowStatePage();
}

void StatesIn::BackButton_Click() {
  if (f2count_ <= 0) return;
  StoreStatePage();
  for (auto& list : targetLists) list.clear();
  --f2count_;
  ShowStatePage();
}

void StatesIn::ClearCom_Click() {
  if (dialogs_.AskYesNo("Clearing the Form without saving will cause Data Loss. Continue clearing the form?", "Confirm",
                        Answer::No)) {
    ClearForm();
  }
}

void StatesIn::CheckIncompleteFields() {
  // Each question also names the state and transition it is about.
  std::string where;
  const auto ask = [&](const char* text) {
    if (dialogs_.AskYesNo(text, kFieldErrorTitle, Answer::Yes, where)) return true;
    FieldCheckAborted = true;
    return false;
  };
  bool changed = false;
  StateDiagram diagram = table();
  for (int s = 0; s < kStateCount && !FieldCheckAborted; ++s) {
    const bool onScreen = s == f2count_;
    for (int j = 0; j < kSlotCount; ++j) {
      where = "state S" + std::to_string(s) + ", transition " + std::to_string(j + 1);
      auto& trigger = diagram.Triggers[s][j];
      auto& target = diagram.Targets[s][j];
      if (!trigger.empty() && target.empty()) {
        if (!ask("Field 'ToStF' has not been completed. Do you want to continue Removing it?")) break;
        trigger.clear();
        if (onScreen) shown.triggers[j].clear();
        changed = true;
      }
      if (trigger.empty() && !target.empty()) {
        if (!ask("Field 'VarF' has not been completed. Do you want to continue Removing it?")) break;
        target.clear();
        if (onScreen) shown.targets[j].clear();
        changed = true;
      }
      const bool used = !trigger.empty() || !target.empty();
      if (used && diagram.Codes[s].empty() && !dcbaAuto) {
        if (!ask("Field 'dcbaF' has not been completed. Do you want to continue Removing it?")) break;
        trigger.clear();
        target.clear();
        if (onScreen) {
          shown.triggers[j].clear();
          shown.targets[j].clear();
        }
        changed = true;
      }
      const bool stillUsed = !trigger.empty() || !target.empty();
      if (stillUsed && !diagram.Codes[s].empty() && !IsCompleteCode(diagram.Codes[s]) && !dcbaAuto) {
        if (!ask("Field 'dcbaF' is incompete. Do you want to continue with Automatic calculation?")) break;
        dcbaAuto = true;
        changed = true;
      }
    }
  }
  if (changed) {
    document_.ChangeTable("Remove Incomplete Fields", std::move(diagram));
    Repaint();
  }
}

bool StatesIn::CheckEmptyCode() {
  if (shown.code.empty() && !dcbaAuto) {
    dialogs_.Notify(kEmptyCodeMessage, {}, "state S" + std::to_string(f2count_));
    return false;
  }
  return true;
}

bool StatesIn::RunAssignStateCodes() {
  const StateDiagram before = table();
  StateDiagram coded = table();
  const auto result = AssignStateCodes(coded, [this](int state, const std::string& code) {
    if (state == f2count_) shown.code = code;
  });
  document_.ChangeTable("Assign Codes", std::move(coded));
  const bool ok = result.ok;
  if (!ok) {
    dialogs_.Notify(result.message);
    autoCodesWhy = WhyAutoCodesFailed(before);
    dcbaAuto = false;
    AutoCodesAborted = true;
  }
  Repaint();
  return ok;
}

bool StatesIn::Synthesize() {
  synthesis.EmptyVariableStrings();
  if (const auto notes = DuplicateNotes(table()); !notes.empty()) dialogs_.Notify(Join(notes, "\n"));
  auto problems = TextFaults(table());
  const auto transitionProblems = synthesis.CollectTransitions(table());
  problems.insert(problems.end(), transitionProblems.begin(), transitionProblems.end());
  if (problems.empty()) problems = synthesis.SynthesizeStateEquations();
  if (!problems.empty()) {
    dialogs_.Notify(Join(problems, "\n"));
    return false;
  }
  return true;
}

FlowEnd StatesIn::FinishButton_Click() {
  if (!CheckEmptyCode()) return FlowEnd::EmptyCode;
  StoreStatePage();
  FieldCheckAborted = false;
  CheckIncompleteFields();
  if (FieldCheckAborted) return FlowEnd::FieldCheckDeclined;
  AutoCodesAborted = false;
  autoCodesWhy.clear();
  if (dcbaAuto) RunAssignStateCodes();
  if (AutoCodesAborted) return FlowEnd::AutoCodesAborted;
  if (!Synthesize()) return FlowEnd::SynthesisRefused;
  equations_.eqPar = synthesis.eqPar;
  host_.ShowEquationView(ShowEquations(synthesis));
  return FlowEnd::Done;
}

FlowEnd StatesIn::CircExt_Click() {
  const FlowEnd end = RunCircuit();
  if (end != FlowEnd::Done && end != FlowEnd::DrawingKept) host_.CircuitNotDrawn();
  return end;
}

FlowEnd StatesIn::RunCircuit() {
  if (!CheckEmptyCode()) return FlowEnd::EmptyCode;
  if (!host_.MayReplaceDrawing(TableAsEdited())) return FlowEnd::DrawingKept;
  StoreStatePage();
  autoCodesWhy.clear();
  if (dcbaAuto) RunAssignStateCodes();
  FieldCheckAborted = false;
  CheckIncompleteFields();
  if (FieldCheckAborted) return FlowEnd::FieldCheckDeclined;
  if (!Synthesize()) return FlowEnd::SynthesisRefused;
  equations_.eqPar = synthesis.eqPar;
  for (int x = 0; x < kStateVariables; ++x) equations_.eq[x] = synthesis.vars[x].final;
  synthesis.BuildCoilEquations(table(), shown.coilNames);
  equations_.eqCoil = synthesis.coil;
  equations_.NmCoil = shown.coilNames;
  host_.HandOverCircuit();
  return FlowEnd::Done;
}

bool StatesIn::LoadStates_Click() {
  const auto path = dialogs_.AskOpenFileName(StatesFileDialogOptions());
  if (!path) return false;
  return LoadStatesFrom(*path);
}

bool StatesIn::LoadStatesFrom(const std::string& path) {
  std::string why;
  auto loaded = ReadStatesFile(path, &why);
  if (!loaded) {
    dialogs_.Notify(StatesFileError(path, why));
    return false;
  }
  synthesis.Clear();
  dcbaAuto = false;  // a file is drawn with its own codes unless "Auto" is ticked for it
  OpenTable(std::move(*loaded), path);
  // The table is open so that it can be corrected; what the flows would refuse is said now.
  auto faults = TextFaults(table());
  for (int s = 0; s < kStateCount; ++s) {
    for (int j = 0; j < kSlotCount; ++j) {
      if (std::string problem = TriggerProblem(table(), s, j); !problem.empty()) faults.push_back(std::move(problem));
    }
  }
  if (!faults.empty()) dialogs_.Notify(Join(faults, "\n"), kTableFaultsTitle);
  return true;
}

bool StatesIn::SaveStates_Click() {
  StoreStatePage();
  FileDialogOptions options = StatesFileDialogOptions();
  options.startAt = documentPath();
  const auto path = dialogs_.AskSaveFileName(options);
  return path && SaveStatesTo(*path);
}

bool StatesIn::Save() {
  if (documentPath().empty()) return SaveStates_Click();
  StoreStatePage();
  return SaveStatesTo(documentPath());
}

bool StatesIn::SaveStatesTo(const std::string& path) {
  std::string why;
  if (WriteStatesFile(path, table(), &why)) {
    document_.MarkSaved(path);
    return true;
  }
  dialogs_.Notify(StatesFileSaveError(path, why));
  return false;
}

bool StatesIn::dcba_KeyPress(std::u32string_view text, int caret, char32_t key) {
  if (key == U'\b' && caret > 0) return true;
  return (key == U'0' || key == U'1') && text.size() < kCodeDigits && caret < kCodeDigits;
}

bool StatesIn::TransVar_KeyPress(std::u32string_view text, int caret, char32_t key) {
  if (key == U'\b') return caret > 0;
  if (caret <= 0) return IsAsciiLetter(key);
  if (caret <= static_cast<int>(text.size())) {
    const char32_t before = text[caret - 1];
    if (before == U'.' || before == U'+') return IsAsciiLetter(key);
  }
  return key == U'.' || key == U'+' || IsLetterOrDigit(key);
}

bool StatesIn::Text_KeyPress(std::u32string_view, int, char32_t key) {
  return key == U'\b' || !IsControlCharacter(key);
}

}  // namespace kelvo
