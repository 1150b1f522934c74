// The whole "Circuit" road on an arbitrary table: automatic codes with and
// without "Auto", the field check answered Yes or No, synthesis, all four
// layouts, and every view of both forms drawn on a recording canvas.
//
// Input: one byte of switches, then the table's fields one a line in the
// order of a states file (flag lines: an odd length is true).
#include <string_view>

#include "equations/ExpressionText.h"
#include "fuzz/FuzzTable.h"
#include "ladder/RecordingCanvas.h"
#include "session/CircuitViews.h"
#include "session/EntryForm.h"
#include "statediagram/StatesFile.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  if (size == 0) return 0;
  const unsigned switches = data[0];
  kelvo::FuzzRoad road(data, size);
  kelvo::EntryForm& form = road.session.form;
  kelvo::CircuitViews& views = road.session.views;
  if (switches & 8) {
    form.ShowEquations();
    form.autoCodes = switches & 1;
  }
  form.DrawCircuit();
  for (bool parallel : {false, true}) {
    views.parallelForm = parallel;
    for (kelvo::ViewButton b : kelvo::kAllViewButtons) views.Show(b);
  }
  // The drawing never leaves a transient mark behind.
  for (const auto& slot : road.session.grid.SumTiles)
    for (const auto& branch : slot)
      for (const auto& cell : branch)
        if (cell == kelvo::Tile::EndMark) __builtin_trap();
  return 0;
}
