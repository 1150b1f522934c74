#include "session/EntryForm.h"

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

const char* const EntryForm::kCodeHint =
    "    Enter the binary Variables Manually or check the 'Auto' box for automatic calculation.  You must give a "
    "value to all the binary variables even if you don't use them. Ex. 0010";
const char* const EntryForm::kTransitionHint =
    "    Choose the State transitions and complete the equivalent text boxes with the variable or equation that "
    "triggers the transition. Ex. A1.B1+dt.a1.C1+b1.DT .                                        Each variable must "
    "begin with a letter. Upper case characters represent Normally Open switches and Lower case characters "
    "represent Normally Close Switches.";
const char* const EntryForm::kRelayHint =
    "    Complete all the necessary text boxes with the relays that the circuit controls. If you enter a relay you "
    "must enter it's condition in each state.";
const char* const EntryForm::kAutoHint =
    "    Check this box for automatic calculation of the binary variables of each state.";

EntryForm::EntryForm(UserDialogs& dialogs, EntryFormHost& host, Document& document, int& shownState,
                     EquationSet& equations)
    : dialogs_(dialogs), host_(host), document_(document), shownState_(shownState), equations_(equations) {
  ShowStatePage();
}

void EntryForm::ShowStatePage() {
  const int n = shownState_;
  if (!IsValidState(n)) return;  // the paging buttons keep it in range
  stateCaption = "S" + std::to_string(n);
  targetsCaption = stateCaption + " To:";
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

StatePage EntryForm::PageAsShown(const StateDiagram& table, int state) {
  StatePage page = table.Page(state);
  // The ON/OFF pair of a row is one exclusive choice: OFF wins when both are set.
  for (int r = 0; r < kRelayCount; ++r) page.on[r] = table.CoilOn[state][r] && !table.CoilOff[state][r];
  return page;
}

StateDiagram EntryForm::AsEdited(StateDiagram table, bool withShownPage) const {
  if (withShownPage && IsValidState(shownState_)) table.StorePage(shownState_, shown);
  for (int s = 0; s < kStateCount; ++s) table.StorePage(s, PageAsShown(table, s));
  return table;
}

bool EntryForm::Modified() const { return AsEdited(document_.SavedTable(), false) != TableAsEdited(); }

std::string EntryForm::DocumentName() const {
  if (documentPath().empty()) return "Untitled";
  const auto slash = documentPath().find_last_of('/');
  return slash == std::string::npos ? documentPath() : documentPath().substr(slash + 1);
}

void EntryForm::NewDocument() {
  synthesis.Clear();
  OpenTable({});
}

void EntryForm::OpenTable(StateDiagram table, std::string path) {
  document_.Open(std::move(table), std::move(path));
  ShowStatePage();
}

void EntryForm::OfferAutoCodes() {
  bool inUse = false;
  for (int s = 0; s < kStateCount; ++s) {
    if (!table().Codes[s].empty()) return;
    for (int j = 0; j < kSlotCount; ++j) inUse = inUse || !table().Targets[s][j].empty();
  }
  if (!inUse || autoCodes) return;
  if (dialogs_.AskYesNo("This table has no state codes. Assign them automatically?", {}, Answer::Yes)) {
    autoCodes = true;
    Repaint();
  }
}

bool EntryForm::SaveChangesFirst() {
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

void EntryForm::StoreStatePage() {
  if (!IsValidState(shownState_)) return;
  StateDiagram edited = table();
  edited.StorePage(shownState_, shown);
  if (edited == table()) return;
  // A page stored as the form showed it is no change, even where the file
  // had both ON and OFF set.
  if (AsEdited(table(), false) == AsEdited(edited, false)) {
    document_.RestateTable(std::move(edited));
  } else {
    document_.ChangeTable("Edit S" + std::to_string(shownState_), std::move(edited));
  }
}

void EntryForm::ClearForm() {
  StateDiagram cleared = table();
  cleared.Clear();
  document_.ChangeTable("Clear Form", std::move(cleared));
  synthesis.Clear();
  ShowStatePage();
}

void EntryForm::NextState() {
  if (shownState_ >= kStateCount - 1) return;
  StoreStatePage();
  for (auto& list : targetLists) list.clear();
  ++shownState_;
  ShowStatePage();
}

void EntryForm::PreviousState() {
  if (shownState_ <= 0) return;
  StoreStatePage();
  for (auto& list : targetLists) list.clear();
  --shownState_;
  ShowStatePage();
}

void EntryForm::ClearTable() {
  if (dialogs_.AskYesNo("Clearing the Form without saving will cause Data Loss. Continue clearing the form?", "Confirm",
                        Answer::No)) {
    ClearForm();
  }
}

bool EntryForm::CheckIncompleteFields() {
  // Each question also names the state and transition it is about.
  std::string where;
  bool declined = false;
  const auto ask = [&](const char* text) {
    if (dialogs_.AskYesNo(text, kFieldErrorTitle, Answer::Yes, where)) return true;
    declined = true;
    return false;
  };
  bool changed = false;
  StateDiagram diagram = table();
  for (int s = 0; s < kStateCount && !declined; ++s) {
    const bool onScreen = s == shownState_;
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
      if (used && diagram.Codes[s].empty() && !autoCodes) {
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
      if (stillUsed && !diagram.Codes[s].empty() && !IsCompleteCode(diagram.Codes[s]) && !autoCodes) {
        if (!ask("Field 'dcbaF' is incompete. Do you want to continue with Automatic calculation?")) break;
        autoCodes = true;
        changed = true;
      }
    }
  }
  if (changed) {
    document_.ChangeTable("Remove Incomplete Fields", std::move(diagram));
    Repaint();
  }
  return !declined;
}

bool EntryForm::CheckEmptyCode() {
  if (shown.code.empty() && !autoCodes) {
    dialogs_.Notify(kEmptyCodeMessage, {}, "state S" + std::to_string(shownState_));
    return false;
  }
  return true;
}

bool EntryForm::RunAssignStateCodes() {
  const StateDiagram before = table();
  StateDiagram coded = table();
  const auto result = AssignStateCodes(coded, [this](int state, const std::string& code) {
    if (state == shownState_) shown.code = code;
  });
  document_.ChangeTable("Assign Codes", std::move(coded));
  const bool ok = result.ok;
  if (!ok) {
    dialogs_.Notify(result.message);
    autoCodesFailure = Fault{WhyAutoCodesFailed(before)};
    autoCodes = false;
  }
  Repaint();
  return ok;
}

bool EntryForm::Synthesize() {
  synthesis.EmptyVariableStrings();
  if (const auto notes = DuplicateNotes(table()); !notes.empty()) dialogs_.Notify(JoinFaults(notes));
  auto problems = TextFaults(table());
  const auto transitionProblems = synthesis.CollectTransitions(table());
  problems.insert(problems.end(), transitionProblems.begin(), transitionProblems.end());
  if (problems.empty()) problems = synthesis.SynthesizeStateEquations();
  if (!problems.empty()) {
    dialogs_.Notify(JoinFaults(problems));
    return false;
  }
  return true;
}

FlowEnd EntryForm::ShowEquations() {
  if (!CheckEmptyCode()) return FlowEnd::EmptyCode;
  StoreStatePage();
  if (!CheckIncompleteFields()) return FlowEnd::FieldCheckDeclined;
  autoCodesFailure.reset();
  if (autoCodes && !RunAssignStateCodes()) return FlowEnd::AutoCodesAborted;
  if (!Synthesize()) return FlowEnd::SynthesisRefused;
  equations_.parallelEquations = synthesis.parallelEquations;
  host_.ShowEquationView(EquationViewOf(synthesis));
  return FlowEnd::Done;
}

FlowEnd EntryForm::DrawCircuit() {
  const FlowEnd end = RunCircuit();
  if (end != FlowEnd::Done && end != FlowEnd::DrawingKept) host_.CircuitNotDrawn();
  return end;
}

FlowEnd EntryForm::RunCircuit() {
  if (!CheckEmptyCode()) return FlowEnd::EmptyCode;
  if (!host_.MayReplaceDrawing(TableAsEdited())) return FlowEnd::DrawingKept;
  StoreStatePage();
  autoCodesFailure.reset();
  if (autoCodes) RunAssignStateCodes();  // without codes of its own "Circuit" goes on
  if (!CheckIncompleteFields()) return FlowEnd::FieldCheckDeclined;
  if (!Synthesize()) return FlowEnd::SynthesisRefused;
  equations_.parallelEquations = synthesis.parallelEquations;
  for (int x = 0; x < kStateVariables; ++x) equations_.variableEquations[x] = synthesis.vars[x].final;
  synthesis.BuildCoilEquations(table(), shown.coilNames);
  equations_.relayEquations = synthesis.coil;
  equations_.relayNames = shown.coilNames;
  std::array<Sum, kStateVariables> finals, complementedResets, setsWithHold;
  for (int x = 0; x < kStateVariables; ++x) {
    finals[x] = synthesis.sums[x].final;
    complementedResets[x] = synthesis.sums[x].complementedReset;
    setsWithHold[x] = synthesis.sums[x].setWithHold;
  }
  equations_.sums = std::make_shared<const EquationSums>(
      SumsOfSynthesis(equations_, synthesis.names, finals, complementedResets, setsWithHold, synthesis.coilSums));
  host_.HandOverCircuit();
  return FlowEnd::Done;
}

bool EntryForm::OpenWithDialog() {
  const auto path = dialogs_.AskOpenFileName(StatesFileDialogOptions());
  if (!path) return false;
  return LoadStatesFrom(*path);
}

bool EntryForm::LoadStatesFrom(const std::string& path) {
  auto loaded = ReadStatesFile(path);
  if (!loaded) {
    dialogs_.Notify(StatesFileError(path, loaded.fault()));
    return false;
  }
  synthesis.Clear();
  autoCodes = false;  // a file is drawn with its own codes unless "Auto" is ticked for it
  OpenTable(std::move(*loaded), path);
  // The table is open so that it can be corrected; what the flows would refuse is said now.
  auto faults = TextFaults(table());
  for (int s = 0; s < kStateCount; ++s) {
    for (int j = 0; j < kSlotCount; ++j) {
      if (auto problem = TriggerProblem(table(), s, j)) faults.push_back(std::move(*problem));
    }
  }
  if (!faults.empty()) dialogs_.Notify(JoinFaults(faults), kTableFaultsTitle);
  return true;
}

bool EntryForm::SaveWithDialog() {
  StoreStatePage();
  FileDialogOptions options = StatesFileDialogOptions();
  options.startAt = documentPath();
  const auto path = dialogs_.AskSaveFileName(options);
  return path && SaveStatesTo(*path);
}

bool EntryForm::Save() {
  if (documentPath().empty()) return SaveWithDialog();
  StoreStatePage();
  return SaveStatesTo(documentPath());
}

bool EntryForm::SaveStatesTo(const std::string& path) {
  const auto written = WriteStatesFile(path, table());
  if (written) {
    document_.MarkSaved(path);
    return true;
  }
  dialogs_.Notify(StatesFileSaveError(path, written.fault()));
  return false;
}

bool EntryForm::AcceptsCodeKey(std::u32string_view text, int caret, char32_t key) {
  if (key == U'\b' && caret > 0) return true;
  return (key == U'0' || key == U'1') && text.size() < kCodeDigits && caret < kCodeDigits;
}

bool EntryForm::AcceptsTriggerKey(std::u32string_view text, int caret, char32_t key) {
  if (key == U'\b') return caret > 0;
  if (caret <= 0) return IsAsciiLetter(key);
  if (caret <= static_cast<int>(text.size())) {
    const char32_t before = text[caret - 1];
    if (before == U'.' || before == U'+') return IsAsciiLetter(key);
  }
  return key == U'.' || key == U'+' || IsLetterOrDigit(key);
}

bool EntryForm::AcceptsTextKey(std::u32string_view, int, char32_t key) {
  return key == U'\b' || !IsControlCharacter(key);
}

}  // namespace kelvo
