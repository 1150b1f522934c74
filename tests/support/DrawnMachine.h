#pragma once
// The program's own road from a table to drawn circuits, for the tests: one
// session drawing onto a recording canvas, every question answered Yes.

#include <memory>

#include "ladder/RecordingCanvas.h"
#include "session/Session.h"
#include "support/ScriptedDialogs.h"

namespace kelvo::testing {

struct DrawnMachine {
  RecordingCanvas canvas;
  ScriptedDialogs dialogs;
  Session session{dialogs, canvas};
};

// Puts `diagram` on the form and presses "Circuit".
inline std::unique_ptr<DrawnMachine> DrawTable(const StateDiagram& diagram, bool autoCodes = false,
                                               bool parallel = false) {
  auto m = std::make_unique<DrawnMachine>();
  m->session.form.OpenTable(diagram);
  m->session.form.ShowStatePage();
  m->session.form.autoCodes = autoCodes;
  m->session.views.parallelForm = parallel;
  m->session.form.DrawCircuit();
  return m;
}

}  // namespace kelvo::testing
