#pragma once
// A rung as one Boolean expression of Structured Text: where current passes
// from the left rail to the coil through contacts, each passing from its top
// node to its bottom node. Contacts in series are joined by AND and contacts
// side by side by OR, over and over, until one expression links the rail to
// the coil; a part that is neither (a bridge) is written as the OR of its
// paths.

#include <string>
#include <vector>

#include "analysis/PlcProgram.h"

namespace kelvo {

// "(X1 OR NOT A) AND B"; "TRUE" for a plain wire, "FALSE" when no path exists.
std::string RungExpression(const PlcRung& rung, const std::vector<PlcVariable>& variables);

}  // namespace kelvo
