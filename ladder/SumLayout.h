#pragma once
// The multiplied-out layout: the equations of A..D and of the six relays become term
// matrices (ParseSumEquations) and then tile grids (BuildSumTiles). Each
// product term is a branch; shared beginnings and endings are drawn once.
// An equation that does not fit the matrices is cut to fit, and a message
// for the user naming the circuit is appended to `problems`.

#include <string>
#include <vector>

#include "equations/EquationSet.h"
#include "ladder/LadderGrid.h"

namespace kelvo {

void ParseSumEquations(const EquationSet& equations, LadderGrid& grid, std::vector<std::string>& problems);
void BuildSumTiles(LadderGrid& grid, std::vector<std::string>& problems);

// Lays out equation `equation` (0..3 the variables A..D, 4..9 the relays) again,
// alone: its term matrix, its tiles and labels and its MainLength.
void LayOutSumEquation(const EquationSet& equations, LadderGrid& grid, int equation, Sharing sharing,
                       std::vector<std::string>& problems);

// Slot of equation 0..9 in SumTiles and SumLabels.
int SumSlotOf(int equation);

}  // namespace kelvo
