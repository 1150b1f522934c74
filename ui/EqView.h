#pragma once
// The equation view "Equation Handler": per state variable the set and reset
// expressions, the latching function and the final equation. Display only.

#include <QLabel>
#include <QWidget>
#include <array>

#include "equations/EquationView.h"

namespace kelvo {

class EqView : public QWidget {
  Q_OBJECT
public:
  explicit EqView(QWidget* parent = nullptr);
  void ShowTexts(const EquationViewTexts& texts);

  std::array<QLabel*, kStateVariables> OnLbl{}, OffLbl{}, Func{}, Final{};
};

}  // namespace kelvo
