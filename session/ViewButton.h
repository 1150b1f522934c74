#pragma once
// The six views of a drawing, named after their buttons: all four
// state-variable circuits, one of them, or the output-relay circuits.

#include <array>

namespace kelvo {

// In the order the window walks them to move the mark.
enum class ViewButton { ShowAll, ShowA, ShowB, ShowC, ShowD, MachineState };
inline constexpr int kViewButtons = 6;
inline constexpr std::array<ViewButton, kViewButtons> kAllViewButtons{ViewButton::ShowAll, ViewButton::ShowA,
                                                                      ViewButton::ShowB,   ViewButton::ShowC,
                                                                      ViewButton::ShowD,   ViewButton::MachineState};

// "ShowAll", "ShowA", .., "ShowSC": the button's control name.
const char* ViewButtonName(ViewButton button);
// "Show All", "A", .., "Machine State": the button's caption.
const char* ViewCaption(ViewButton button);

}  // namespace kelvo
