#include "ladder/TwoPartLayout.h"

namespace kelvo {

// Placeholder until the layout lands.
void ParseTwoPartEquations(const EquationSet&, LadderGrid&, std::vector<std::string>&) {}
void BuildTwoPartTiles(LadderGrid&, std::vector<std::string>&) {}

}  // namespace kelvo
