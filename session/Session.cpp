#include "session/Session.h"

namespace kelvo {

Session::Session(UserDialogs& dialogs, Canvas& canvas, int shownState)
    : f2count(shownState), views(grid, equations, canvas, dialogs), form(dialogs, *this, f2count, equations) {}

void Session::ShowEquationView(const EquationViewTexts& texts) {
  eqView = texts;
  if (onEquationView) onEquationView(texts);
}

void Session::HandOverCircuit() {
  handedOver = true;
  if (beforeDrawing) beforeDrawing();
  views.DrawCirc();
  if (afterDrawing) afterDrawing();
}

void Session::CircuitNotDrawn() {
  handedOver = false;
  views.Withdraw();
  if (afterWithdrawing) afterWithdrawing();
}

}  // namespace kelvo
