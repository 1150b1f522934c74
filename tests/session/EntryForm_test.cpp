#include "session/EntryForm.h"

#include <gtest/gtest.h>

#include <functional>

#include "statediagram/AutoCodes.h"
#include "statediagram/StatesFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::ScriptedDialogs;
using testing::TempDir;

class RecordingHost : public EntryFormHost {
public:
  void ShowEquationView(const EquationViewTexts& texts) override { views.push_back(texts); }
  void HandOverCircuit() override { ++handOvers; }
  std::vector<EquationViewTexts> views;
  int handOvers = 0;
};

class EntryFormTest : public ::testing::Test {
protected:
  ScriptedDialogs dialogs;
  RecordingHost host;
  int shownState = 0;
  EquationSet equations;
  Document document;
  EntryForm form{dialogs, host, document, shownState, equations};

  // Changes the table behind the form's back, as a file loaded earlier would.
  void EditTable(const std::function<void(StateDiagram&)>& edit) {
    StateDiagram t = form.table();
    edit(t);
    document.ChangeTable("test", t);
  }

  // Types the four-state cycle page by page, as a user would.
  void TypeFourStateCycle() {
    const char* codes[] = {"0000", "0001", "0011", "0010"};
    for (int s = 0; s < 4; ++s) {
      form.shown.code = codes[s];
      form.shown.targets[0] = "S" + std::to_string((s + 1) % 4);
      form.shown.triggers[0] = "X" + std::to_string(s + 1);
      form.shown.coilNames[0] = "Lamp";
      form.shown.on[0] = s == 1 || s == 2;
      form.shown.off[0] = !form.shown.on[0];
      if (s < 3) form.NextState();
    }
  }
};

TEST_F(EntryFormTest, PagingKeepsEveryValue) {
  EXPECT_EQ(form.stateCaption, "S0");
  EXPECT_EQ(form.targetsCaption, "S0 To:");
  EXPECT_FALSE(form.backEnabled);
  EXPECT_TRUE(form.nextEnabled);
  EXPECT_EQ(form.targetLists[0].front(), "S1");
  EXPECT_EQ(form.targetLists[3].size(), 15u);

  form.shown.code = "0110";
  form.shown.comment = " start ";
  form.shown.targets[2] = "S42 by hand";
  form.shown.triggers[2] = "A1.B1";
  form.shown.coilNames[4] = "Pump";
  form.shown.on[4] = true;
  const StatePage typed = form.shown;
  form.NextState();
  EXPECT_EQ(form.stateCaption, "S1");
  EXPECT_TRUE(form.backEnabled);
  EXPECT_EQ(form.shown.coilNames[4], "Pump");
  EXPECT_EQ(form.shown.code, "");
  form.PreviousState();
  EXPECT_EQ(form.shown, typed);

  shownState = 15;
  form.ShowStatePage();
  EXPECT_FALSE(form.nextEnabled);
  EXPECT_EQ(form.targetLists[1].back(), "S14");
  form.NextState();  // disabled: nothing happens
  EXPECT_EQ(shownState, 15);
}

TEST_F(EntryFormTest, OnOffPairIsOneChoice) {
  EditTable([](StateDiagram& t) { t.CoilOn[0][1] = t.CoilOff[0][1] = true; });  // both set, as a file may hold
  form.ShowStatePage();
  EXPECT_FALSE(form.shown.on[1]);
  EXPECT_TRUE(form.shown.off[1]);
  EXPECT_FALSE(form.shown.on[2]);  // a fresh table: neither
  EXPECT_FALSE(form.shown.off[2]);
  form.StoreStatePage();
  EXPECT_FALSE(form.table().CoilOn[0][1]);
  EXPECT_TRUE(form.table().CoilOff[0][1]);
}

TEST_F(EntryFormTest, KeyFilters) {
  struct Key {
    std::u32string text;
    int caret;
    char32_t key;
    bool accepted;
  };
  const std::vector<Key> code = {
      {U"", 0, U'0', true},      {U"01", 2, U'1', true},  {U"010", 3, U'2', false}, {U"0101", 4, U'0', false},
      {U"0101", 1, U'1', false}, {U"01", 1, U'\b', true}, {U"01", 0, U'\b', false}, {U"", 0, U'a', false},
  };
  for (const auto& k : code) EXPECT_EQ(EntryForm::AcceptsCodeKey(k.text, k.caret, k.key), k.accepted) << int(k.key);

  const std::vector<Key> trigger = {
      {U"", 0, U'A', true},
      {U"", 0, U'1', false},
      {U"A", 1, U'1', true},
      {U"A1", 2, U'.', true},
      {U"A1.", 3, U'B', true},
      {U"A1.", 3, U'1', false},
      {U"A1+", 3, U'.', false},
      {U"A1", 2, U' ', false},
      {U"A1", 2, U'(', false},
      {U"A1", 2, U'|', false},
      {U"A1", 2, U'-', false},
      {U"A1", 0, U'\b', false},
      {U"A1.", 3, U'\b', true},
      {U"A", 1, U'\u00e9', true},
      {U"", 0, U'\u00e9', false},
      {U"A1", 2, U'_', false},
      // Letters and digits of any script; no space, format or control character.
      {U"T", 1, U'\u0416', true},
      {U"T", 1, U'\u0663', true},
      {U"T1", 2, U'\u00a0', false},
      {U"T1", 2, U'\u200b', false},
      {U"T1", 2, U'\u202e', false},
      {U"T1", 2, U'\x01', false},
      {U"T1", 2, U'\0', false},
  };
  for (const auto& k : trigger) {
    EXPECT_EQ(EntryForm::AcceptsTriggerKey(k.text, k.caret, k.key), k.accepted) << int(k.key) << " at " << k.caret;
  }
  for (char32_t c : {U'\x01', U'\x1b', U'\x7f', U'\u009b'}) EXPECT_FALSE(EntryForm::AcceptsTextKey(U"Motor", 5, c));
  for (char32_t c : {U' ', U'\u00e9', U'\u00a0', U'\b'}) EXPECT_TRUE(EntryForm::AcceptsTextKey(U"Motor", 5, c));
  for (char32_t c : std::u32string_view(U"<>?,/|\\:;'~`!@#$%^&*()= ")) {
    EXPECT_FALSE(EntryForm::AcceptsTriggerKey(U"A1", 2, c)) << int(c);
  }
}

TEST_F(EntryFormTest, ClearFormAsksFirst) {
  shownState = 7;
  form.ShowStatePage();
  form.shown.code = "0111";
  form.StoreStatePage();
  EditTable([](StateDiagram& t) { t.CoilNames[0] = "Motor"; });
  dialogs.answers = {Answer::No, Answer::Yes};
  form.ClearTable();
  EXPECT_EQ(form.table().Codes[7], "0111");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Confirm");
  EXPECT_EQ(dialogs.messages[0].text,
            "Clearing the Form without saving will cause Data Loss. Continue clearing the form?");
  EXPECT_EQ(dialogs.messages[0].defaultAnswer, Answer::No);
  form.ClearTable();
  StateDiagram cleared;
  cleared.Clear();
  EXPECT_EQ(form.table(), cleared);
  EXPECT_EQ(shownState, 7);
  EXPECT_EQ(form.stateCaption, "S7");
  EXPECT_TRUE(form.shown.off[3]);
}

TEST_F(EntryFormTest, FieldCheckQuestions) {
  shownState = 2;
  form.ShowStatePage();
  form.shown.code = "0011";
  form.shown.targets[2] = "S3";  // a target without trigger
  dialogs.answers = {Answer::No};
  const FlowEnd end = form.ShowEquations();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Possible Field Error");
  EXPECT_EQ(dialogs.messages[0].text, "Field 'VarF' has not been completed. Do you want to continue Removing it?");
  EXPECT_EQ(end, FlowEnd::FieldCheckDeclined);
  EXPECT_TRUE(host.views.empty());
  EXPECT_EQ(form.table().Targets[2][2], "S3");

  dialogs.messages.clear();
  form.ShowEquations();  // answered Yes: the target goes, on screen too
  EXPECT_EQ(dialogs.Texts(),
            std::vector<std::string>{"Field 'VarF' has not been completed. Do you want to continue Removing it?"});
  EXPECT_EQ(form.table().Targets[2][2], "");
  EXPECT_EQ(form.shown.targets[2], "");
  EXPECT_EQ(host.views.size(), 1u);

  // A trigger without target, a slot of a state without code, a short code.
  EditTable([](StateDiagram& t) {
    t.Triggers[5][0] = "Q";
    t.Targets[6][1] = "S1";
    t.Triggers[6][1] = "R";
    t.Targets[8][0] = "S0";
    t.Triggers[8][0] = "P";
    t.Codes[8] = "01";
  });
  dialogs.messages.clear();
  form.ShowEquations();
  EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{
                                 "Field 'ToStF' has not been completed. Do you want to continue Removing it?",
                                 "Field 'dcbaF' has not been completed. Do you want to continue Removing it?",
                                 "Field 'dcbaF' is incompete. Do you want to continue with Automatic calculation?",
                             }));
  EXPECT_EQ(form.table().Triggers[5][0], "");
  EXPECT_EQ(form.table().Targets[6][1], "");
  EXPECT_EQ(form.table().Triggers[6][1], "");
  // Auto got ticked, and the automatic codes then ran.
  EXPECT_EQ(form.table().Codes[0], "0000");
}

TEST_F(EntryFormTest, EquationsNeedACodeOrAuto) {
  form.ShowEquations();
  form.DrawCircuit();
  EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>(2, "Check the DCBA 'Auto' Box or complete the DCBA text Box")));
  EXPECT_TRUE(host.views.empty());
  EXPECT_EQ(host.handOvers, 0);
}

TEST_F(EntryFormTest, TypedTableToEquationsAndCircuit) {
  TypeFourStateCycle();
  form.ShowEquations();
  ASSERT_EQ(host.views.size(), 1u);
  EXPECT_EQ(host.views[0].Final[0], "  = A.x3+X1.b+A.b");
  EXPECT_EQ(equations.parallelEquations[1], "x4+A|X2.A+B");
  EXPECT_EQ(equations.variableEquations[0], "");  // written by "Circuit" only
  form.ShowEquations();
  EXPECT_EQ(host.views[1], host.views[0]);

  form.DrawCircuit();
  EXPECT_EQ(host.handOvers, 1);
  EXPECT_EQ(equations.variableEquations, (std::array<std::string, 4>{"A.x3+X1.b+A.b", "B.x4+X2.A+B.A", "", ""}));
  EXPECT_EQ(equations.relayEquations[0], "A.b+A.B");
  EXPECT_EQ(equations.relayNames[0], "Lamp");
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(EntryFormTest, AutoCodesFromTheForm) {
  TypeFourStateCycle();
  EditTable([](StateDiagram& t) { t.Codes = {}; });
  form.shown.code = "";
  form.autoCodes = true;
  form.DrawCircuit();
  EXPECT_EQ(form.table().Codes[3], "0010");
  EXPECT_EQ(form.shown.code, "0010");  // S3 is shown and received a code
  EXPECT_EQ(host.handOvers, 1);

  // A failing assignment unticks Auto; "Equations" stops, "Circuit" goes on.
  form.shown.targets[1] = "S3";
  form.shown.triggers[1] = "Y";
  form.autoCodes = true;
  const FlowEnd end = form.ShowEquations();
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{kExtraStateNeeded});
  EXPECT_FALSE(form.autoCodes);
  EXPECT_EQ(end, FlowEnd::AutoCodesAborted);
  EXPECT_TRUE(form.autoCodesFailure);
  EXPECT_TRUE(host.views.empty());
}

TEST_F(EntryFormTest, LoadAndSave) {
  TempDir dir;
  TypeFourStateCycle();
  dialogs.fileNames = {dir.File("cycle.sfi")};
  form.SaveWithDialog();
  EXPECT_EQ(dialogs.fileDialogs.at(0).title, "States File");
  const StateDiagram saved = form.table();

  // Loading while S3 is shown: S3 stays shown, with the loaded data.
  form.ClearForm();
  shownState = 3;
  form.ShowStatePage();
  dialogs.fileNames = {dir.File("cycle.sfi")};
  EXPECT_TRUE(form.OpenWithDialog());
  EXPECT_EQ(form.table(), saved);
  EXPECT_EQ(form.stateCaption, "S3");
  EXPECT_EQ(form.shown.code, "0010");
  EXPECT_EQ(form.shown.targets[0], "S0");

  // Cancel, a missing file and a short file leave the table and the page as they were.
  form.shown.comment = "unsaved edit";
  const StatePage page = form.shown;
  testing::WriteBytes(dir.File("short.sfi"), "a\r\nb\r\n");
  dialogs.fileNames = {std::nullopt, dir.File("missing.sfi"), dir.File("short.sfi")};
  EXPECT_FALSE(form.OpenWithDialog());
  EXPECT_FALSE(form.OpenWithDialog());
  EXPECT_FALSE(form.OpenWithDialog());
  EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"Unknown Error while opening file " + dir.File("missing.sfi"),
                                                       "Unknown Error while opening file " + dir.File("short.sfi") +
                                                           "\nline 3: expected 358 lines, the file ends after 2"}));
  EXPECT_EQ(form.table(), saved);
  EXPECT_EQ(form.shown, page);

  // Save stores the shown page first; a cancelled save still keeps it stored.
  dialogs.fileNames = {std::nullopt};
  form.SaveWithDialog();
  EXPECT_EQ(form.table().Comments[3], "unsaved edit");
  dialogs.fileNames = {dir.Path().string()};
  form.SaveWithDialog();
  EXPECT_EQ(dialogs.Texts().back(), "Unknown Error while saving file " + dir.Path().string() + "\nnot a regular file");
  // The save dialog starts at the open document.
  EXPECT_EQ(dialogs.fileDialogs.back().startAt, dir.File("cycle.sfi"));
}

}  // namespace
}  // namespace kelvo

namespace kelvo {
namespace {

// Each flow says how it ended, as well as setting the flags of the design.
TEST_F(EntryFormTest, FlowsSayHowTheyEnded) {
  EXPECT_EQ(form.DrawCircuit(), FlowEnd::EmptyCode);
  TypeFourStateCycle();
  EXPECT_EQ(form.ShowEquations(), FlowEnd::Done);
  EXPECT_EQ(form.DrawCircuit(), FlowEnd::Done);
  EXPECT_EQ(host.handOvers, 1);

  form.shown.targets[1] = "S2";  // a trigger missing: the field check asks, No stops
  dialogs.answers = {Answer::No};
  EXPECT_EQ(form.DrawCircuit(), FlowEnd::FieldCheckDeclined);

  form.shown.targets[1].clear();
  form.shown.triggers[0] = "X1++X2";  // no switch expression
  EXPECT_EQ(form.DrawCircuit(), FlowEnd::SynthesisRefused);

  form.shown.triggers[0] = "X4";
  EditTable([](StateDiagram& t) {  // S3 goes back two ways: no codes for that with "Auto"
    t.Targets[3][1] = "S0";
    t.Triggers[3][1] = "Y";
    t.Targets[0][1] = "S2";
    t.Triggers[0][1] = "Z";
  });
  form.autoCodes = true;
  EXPECT_EQ(form.ShowEquations(), FlowEnd::AutoCodesAborted);
  EXPECT_TRUE(form.autoCodesFailure);
}

}  // namespace
}  // namespace kelvo
