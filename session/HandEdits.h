#pragma once
// Hand edits of a drawing: stamped tiles, rubbed-out strokes and coloured
// texts. They are items kept per view over the generated drawing, not pixels
// in it: a view is drawn, then its items are painted over it in order, so
// every picture of the view (screen, export, copy, print) shows them and a
// view shown again gets them back.

#include <compare>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "ladder/Canvas.h"
#include "session/ViewButton.h"

namespace kelvo {

struct HandEditBox {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // twips, both corners included
  bool operator==(const HandEditBox&) const = default;
};

struct HandEdit {
  enum class Kind { Stamp, Rub, Text };
  Kind kind = Kind::Stamp;
  int tile = 0;                    // stamp: the tile image slot
  int x = 0, y = 0;                // stamp and text: top-left corner, twips
  std::vector<HandEditBox> boxes;  // rub: the white squares of one stroke
  std::string text;
  Rgb color;  // text

  static HandEdit Stamp(int tile, int x, int y);
  static HandEdit Rub(HandEditBox box);
  static HandEdit Text(int x, int y, std::string text, Rgb color);
  bool operator==(const HandEdit&) const = default;
};

// A view as hand edits see it: which circuits, and in which form; or the
// canvas while it shows no circuit (an imported picture, say).
struct ViewKey {
  ViewButton view = ViewButton::ShowAll;
  bool parallel = false;
  bool noCircuit = false;
  auto operator<=>(const ViewKey&) const = default;
};

using HandEditLayers = std::map<ViewKey, std::vector<HandEdit>>;

// Bounds of one view's edits, so that no gesture grows without limit.
inline constexpr size_t kMaxHandEditsPerView = 2000;
inline constexpr size_t kMaxBoxesPerStroke = 20000;

// Paints `edits` over what `canvas` holds, marked as hand edits.
void PaintHandEdits(const std::vector<HandEdit>& edits, Canvas& canvas);

// "Show All", "A (multiplied out)": the view, for a message.
std::string DescribeView(ViewKey key);

}  // namespace kelvo
