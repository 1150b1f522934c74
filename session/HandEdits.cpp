#include "session/HandEdits.h"

namespace kelvo {

HandEdit HandEdit::Stamp(int tile, int x, int y) {
  HandEdit e;
  e.tile = tile, e.x = x, e.y = y;
  return e;
}

HandEdit HandEdit::Rub(HandEditBox box) {
  HandEdit e;
  e.kind = Kind::Rub;
  e.boxes.push_back(box);
  return e;
}

HandEdit HandEdit::Text(int x, int y, std::string text, Rgb color) {
  HandEdit e;
  e.kind = Kind::Text, e.x = x, e.y = y, e.text = std::move(text), e.color = color;
  return e;
}

void PaintHandEdits(const std::vector<HandEdit>& edits, Canvas& canvas) {
  canvas.SetHandEdit(true);
  for (const HandEdit& e : edits) {
    switch (e.kind) {
      case HandEdit::Kind::Stamp:
        canvas.PaintTile(e.tile, e.x, e.y);
        break;
      case HandEdit::Kind::Rub:
        for (const HandEditBox& b : e.boxes) canvas.FillBox(b.x1, b.y1, b.x2, b.y2, {255, 255, 255});
        break;
      case HandEdit::Kind::Text:
        canvas.SetTextPosition(e.x, e.y);
        canvas.SetTextColor(e.color);
        canvas.PrintText(e.text);
        canvas.SetTextColor({0, 0, 0});
        break;
    }
  }
  canvas.SetHandEdit(false);
}

std::string DescribeView(ViewKey key) {
  if (key.noCircuit) return "the canvas without a circuit";
  std::string name = ViewCaption(key.view);
  if (key.parallel && key.view != ViewButton::MachineState) name += " (multiplied out)";
  return name;
}

}  // namespace kelvo
