#pragma once
// The two-part layout: eqParA..eqParD ("complemented reset|set-with-hold")
// become two groups of parallel branches in series on one current path.
// An equation that does not fit is cut to fit, and a message for the user
// naming the circuit is appended to `problems`.

#include <string>
#include <vector>

#include "equations/EquationSet.h"
#include "ladder/LadderGrid.h"

namespace kelvo {

void ParseTwoPartEquations(const EquationSet& equations, LadderGrid& grid, std::vector<std::string>& problems);
void BuildTwoPartTiles(LadderGrid& grid, std::vector<std::string>& problems);

// Lays out equation `equation` (0..3, eqParA..eqParD) again, alone.
void LayOutTwoPartEquation(const EquationSet& equations, LadderGrid& grid, int equation, Sharing sharing,
                           std::vector<std::string>& problems);

// The two-part equation as its circuit is drawn: a variable with reset but no
// set transitions holds through its own contact after the reset group
// ("x1|" of A is drawn as "x1|A"). A variable with set but no reset
// transitions ("|X1+A") is drawn as a plain wire followed by the set group.
std::string TwoPartDrawnText(const std::string& equation, int variable);

}  // namespace kelvo
