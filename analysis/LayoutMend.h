#pragma once
// Makes every drawn circuit conduct exactly where its equation is true, and
// says where the drawing departs from the plain layout rules. After the four
// builds, each circuit is read back and compared with its equation. Sharing
// contacts with the branch on the left can open sneak paths (current running
// up a shared wire into another branch), so a circuit that differs is laid
// out again, first without shared endings, then without shared beginnings
// either; the first that reads back right is kept. A circuit that is right at
// first keeps every cell. Circuits cut by a grid limit keep their cut layout.
//
// The other departures are noted too: a circuit taller than the room above the
// coil line, and a state variable that has set but no reset transitions (or
// the reverse), whose circuits follow the equations the synthesis gives them.

#include <string>
#include <vector>

#include "analysis/CircuitReadBack.h"
#include "equations/EquationSet.h"
#include "ladder/LadderGrid.h"

namespace kelvo {

struct CircuitMend {
  GridFamily family;
  int slot;             // the tile slot: 0..3 for A..D, 8..13 for the output relays
  std::string circuit;  // the name under its coil
  std::string why;   // "shared endings", "shared beginnings", "too tall", "no reset transitions", "no set transitions"
  std::string text;  // the line for the student
};

// "sum" or "twoPart".
const char* FamilyName(GridFamily family);

// Checks and mends the circuits of both families in `grid`, as built from
// `equations`; returns what was mended, two-part circuits first.
std::vector<CircuitMend> MendLayouts(const EquationSet& equations, LadderGrid& grid);

}  // namespace kelvo
