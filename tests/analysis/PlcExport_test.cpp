// Names and texts of the PLC exports: identifiers as IEC 61131-3 takes them,
// the program's case rules for one switch, and the user's text escaped.

#include "analysis/PlcExport.h"

#include <gtest/gtest.h>

#include "analysis/PlcNames.h"
#include "support/DrawnMachine.h"

namespace kelvo {
namespace {

TEST(PlcNames, NamesBecomeIdentifiers) {
  const struct {
    const char* name;
    const char* identifier;
  } cases[] = {
      {"X1", "X1"},
      {"Start", "Start"},
      {"Lamp 1", "Lamp_1"},
      {"a  b", "a_b"},
      {"_x", "_x"},
      {"x_", "x"},
      {"1X", "N1X"},
      {"DT", "DT_1"},
      {"or", "or_1"},
      {"T\xc3\xbcr", "Tur"},
      {"Stra\xc3\x9f"
       "e",
       "Strasse"},
      {"<&>", "Relay"},
      {"M\xe2\x82\xac", "M"},
      {"", "Relay"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IecSpelling(c.name, "Relay"), c.identifier) << c.name;
    EXPECT_TRUE(IsIecIdentifier(c.identifier)) << c.identifier;
  }
  for (const char* bad : {"", "1X", "a__b", "x_", "NOT", "Tür", "a b"}) EXPECT_FALSE(IsIecIdentifier(bad)) << bad;
}

TEST(PlcNames, ClashesIgnoringCaseGetANumber) {
  IecNames names;
  EXPECT_EQ(names.Give("Lamp 1", "R"), "Lamp_1");
  EXPECT_EQ(names.Give("LAMP_1", "R"), "LAMP_1_2");
  EXPECT_EQ(names.Give("lamp-1", "R"), "lamp_1_3");
  EXPECT_EQ(names.Give("Other", "R"), "Other");
}

// S0 -> S1 on "Start", back on "START.b_x" (one switch, as contacts compare
// ignoring case); a relay "Lamp <1>" on in S1; comments with markup.
StateDiagram NamedLatch() {
  StateDiagram d;
  d.Clear();
  d.Codes[0] = "0000", d.Codes[1] = "0001";
  d.Targets[0][0] = "S1", d.Triggers[0][0] = "Start";
  d.Targets[1][0] = "S0", d.Triggers[1][0] = "START.DT";
  d.Comments[0] = "idle <&> \"quoted\" ]]>";
  d.Comments[1] = "on (* not *) here";
  d.CoilNames[0] = "Lamp <1>";
  d.CoilOn[1][0] = true, d.CoilOff[0][0] = true;
  return d;
}

TEST(PlcExport, NamesFollowTheProgramsCaseRulesAndTheTextIsEscaped) {
  auto m = testing::DrawTable(NamedLatch());
  ASSERT_TRUE(m->session.drawn);
  const auto built = BuildPlcProgram(
      {m->session.drawn->table, m->session.drawn->equations, m->session.grid, false, "/tmp/my latch.sfi"});
  ASSERT_EQ(built.why(), "");
  const PlcProgram& p = *built;
  std::vector<std::string> inputs, outputs;
  for (const PlcVariable& v : p.variables) {
    if (v.kind == PlcVariableKind::Input) inputs.push_back(v.name + "=" + v.shown);
    if (v.kind == PlcVariableKind::Output) outputs.push_back(v.name + "=" + v.shown);
  }
  EXPECT_EQ(inputs, (std::vector<std::string>{"Start=Start", "DT_1=DT"}));
  EXPECT_EQ(outputs, (std::vector<std::string>{"Lamp_1=Lamp <1>"}));
  EXPECT_EQ(p.name, "my_latch");

  const std::string xml = PlcOpenXml(p, "2026-01-31T12:00:00Z");
  EXPECT_NE(xml.find("idle &lt;&amp;&gt; &quot;quoted&quot; ]]&gt;"), std::string::npos);
  EXPECT_NE(xml.find("Lamp &lt;1&gt; -&gt; Lamp_1"), std::string::npos);
  EXPECT_NE(xml.find("<pou name=\"my_latch\" pouType=\"program\">"), std::string::npos);
  EXPECT_EQ(xml.find("<1>"), std::string::npos);

  const std::string st = StructuredText(p);
  EXPECT_NE(st.find("on ( * not * ) here"), std::string::npos);
  EXPECT_NE(st.find("  Lamp_1 : BOOL; (* Lamp <1> *)\n"), std::string::npos);
  EXPECT_NE(st.find("once per scan"), std::string::npos);
  // The comment that opens the file closes once, at its end.
  EXPECT_EQ(st.find("*)"), st.find(" *)\n\nPROGRAM my_latch\n") + 1);
}

TEST(PlcExport, XmlTakesNoControlCharacters) {
  EXPECT_EQ(XmlEscaped("a\x01"
                       "b\tc\n'\xff"),
            "aU+0001b\tc\n&apos;\xEF\xBF\xBD");
}

}  // namespace
}  // namespace kelvo
