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

}  // namespace kelvo
