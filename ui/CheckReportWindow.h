#pragma once
// The window of "Check Circuit": the notes on how the circuits were drawn
// (laid out with less sharing, drawn taller, cut to fit), then the findings of
// CheckCircuit, failures first, one line each, under the summary
// "N passed, M failed", under a warning when the table has changed since
// the circuit was drawn.

#include <QDialog>
#include <QLabel>
#include <QListWidget>

#include "analysis/CircuitCheck.h"

namespace kelvo {

class CheckReportWindow : public QDialog {
  Q_OBJECT
public:
  // A `warning` comes first, above the summary.
  CheckReportWindow(const CheckReport& report, const std::vector<std::string>& notes, QWidget* parent = nullptr,
                    const QString& warning = {});

  QLabel* warningLabel{};  // none without a warning
  QLabel* summaryLabel{};
  QListWidget* lineList{};
};

}  // namespace kelvo
