// "Check Circuit" on an arbitrary table: the "Circuit" road in either form,
// then the read-back of every drawn circuit and the runs of the machine.
// A circuit that no grid limit cut must read back as its equation.
//
// Input: one byte of switches, then the table as for the circuit target.
#include <string_view>

#include "analysis/CircuitCheck.h"
#include "equations/SwitchFunction.h"
#include "fuzz/FuzzTable.h"
#include "ladder/RecordingCanvas.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  if (size == 0) return 0;
  kelvo::FuzzRoad road(data, size);
  kelvo::Session& session = road.session;
  kelvo::EntryForm& form = session.form;
  kelvo::CircuitViews& views = session.views;
  form.DrawCircuit();
  if (!session.handedOver) return 0;
  const kelvo::CheckReport report =
      kelvo::CheckCircuit(form.table(), session.equations, session.grid, views.parallelForm);
  if (!views.Problems().empty()) return 0;  // knowingly cut to fit
  for (const auto& f : report.findings) {
    const bool readBack = f.kind == kelvo::CheckFinding::Kind::ReadBack;
    if (readBack && !f.passed && f.text.find("cannot check") == std::string::npos) __builtin_trap();
  }
  return 0;
}
