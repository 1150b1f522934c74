#pragma once
// `kelvo16s-cli render`: the canvas picture as the program draws it, with the
// same tiles and font, written as a Windows bitmap.

#include <ostream>
#include <string>
#include <vector>

namespace kelvo {

int Render(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kelvo
