#pragma once
// One open table and everything the program holds for it: the entry form's
// logic with the table and the synthesis, the equation set, the ladder grids
// and the circuit views that draw onto one canvas. "Circuit" hands its
// equations over here and DrawCirc draws them; the window, the command-line
// tool, the fuzz targets, the benchmarks and the tests all build one Session
// and drive its flows, so that there is one copy of every flow.
//
// Questions and notices go through the UserDialogs given; what the window
// does around a hand-over (enabling its menu, hiding the form, repainting)
// hangs on the callbacks.

#include <functional>
#include <optional>

#include "common/UserDialogs.h"
#include "equations/EquationSet.h"
#include "equations/EquationView.h"
#include "ladder/Canvas.h"
#include "ladder/LadderGrid.h"
#include "session/CircuitViews.h"
#include "session/StatesIn.h"

namespace kelvo {

class Session : public StatesInHost {
public:
  Session(UserDialogs& dialogs, Canvas& canvas, int shownState = 0);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // StatesInHost: the end of "Equations" and of "Circuit".
  void ShowEquationView(const EquationViewTexts& texts) override;
  void HandOverCircuit() override;
  void CircuitNotDrawn() override;

  int f2count;  // the state shown on the entry form
  EquationSet equations;
  LadderGrid grid;
  CircuitViews views;
  StatesIn form;

  // The texts of the last "Equations", and whether a "Circuit" reached the drawing.
  std::optional<EquationViewTexts> eqView;
  bool handedOver = false;

  // Called when "Equations" has its texts; before DrawCirc and after it when
  // "Circuit" hands over.
  std::function<void(const EquationViewTexts&)> onEquationView;
  std::function<void()> beforeDrawing;
  std::function<void()> afterDrawing;
  // Called when the circuit shown was withdrawn because "Circuit" stopped.
  std::function<void()> afterWithdrawing;
};

}  // namespace kelvo
