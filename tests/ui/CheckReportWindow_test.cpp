#include "ui/CheckReportWindow.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(CheckReportWindow, ListsFailuresFirstUnderTheSummary) {
  CheckReport report;
  using Kind = CheckFinding::Kind;
  report.findings = {{Kind::ReadBack, true, "read-back A"},
                     {Kind::Transition, false, "S0 -> S1 on X1: oscillation"},
                     {Kind::Hold, true, "hold S0 (0000)"},
                     {Kind::Output, false, "output Lamp: on in S0 (0000) where the table has it OFF"}};
  CheckReportWindow window(report, {"Relay M2 is drawn without shared endings: ..."});
  EXPECT_EQ(window.summaryLabel->text(), QStringLiteral("2 passed, 2 failed"));
  ASSERT_EQ(window.lineList->count(), 5);
  EXPECT_EQ(window.lineList->item(0)->text(), QStringLiteral("NOTE Relay M2 is drawn without shared endings: ..."));
  EXPECT_EQ(window.lineList->item(1)->text(), QStringLiteral("FAIL S0 -> S1 on X1: oscillation"));
  EXPECT_EQ(window.lineList->item(2)->text(),
            QStringLiteral("FAIL output Lamp: on in S0 (0000) where the table has it OFF"));
  EXPECT_EQ(window.lineList->item(3)->text(), QStringLiteral("PASS read-back A"));
  EXPECT_EQ(window.lineList->item(4)->text(), QStringLiteral("PASS hold S0 (0000)"));
}

}  // namespace
}  // namespace kelvo
