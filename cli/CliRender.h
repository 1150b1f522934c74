#pragma once
// `kelvo16s-cli render`: the canvas picture as the program draws it, with the
// same tiles and font, written as a Windows bitmap, or as PNG, SVG or PDF.
// `kelvo16s-cli diagram`: the state diagram as the program paints it.

#include <ostream>
#include <string>
#include <vector>

namespace kelvo {

// The fonts need a GUI application; without one the tool makes its own, without a display.
void EnsureGuiApplication();
int Render(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int Diagram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kelvo
