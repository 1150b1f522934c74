#pragma once
// The equation view "Equation Handler": per state variable the set and reset
// expressions, the latching function and the final equation. The texts can be
// selected and copied; "Copy All" puts every row on the clipboard.

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "equations/EquationView.h"

namespace kelvo {

class EquationWindow : public QWidget {
  Q_OBJECT
public:
  explicit EquationWindow(QWidget* parent = nullptr);
  void ShowTexts(const EquationViewTexts& texts);

  std::array<QLabel*, kStateVariables> onLabels{}, offLabels{}, functionLabels{}, finalLabels{};
  QPushButton* copyAllButton{};

private:
  EquationViewTexts texts_;
};

}  // namespace kelvo
