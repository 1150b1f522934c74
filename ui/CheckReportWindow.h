#pragma once
// The window of "Check Circuit": the findings of CheckCircuit, failures
// first, one line each, under the summary "N passed, M failed".

#include <QDialog>
#include <QLabel>
#include <QListWidget>

#include "ladder/CircuitCheck.h"

namespace kelvo {

class CheckReportWindow : public QDialog {
  Q_OBJECT
public:
  explicit CheckReportWindow(const CheckReport& report, QWidget* parent = nullptr);

  QLabel* Summary{};
  QListWidget* Lines{};
};

}  // namespace kelvo
