#pragma once
// Paints a laid-out state diagram with QPainter, onto the screen, a printer,
// an SVG, a PDF or a PNG alike: bubbles with their lines of text, arrows
// along Graphviz's curves, the trigger labels, a double ring for S0 with the
// start arrow, and the dangling arrows of wrong targets in red. The state and
// transition to stress (the simulation's) are drawn in a strong colour.

#include <QPainter>
#include <QSize>

#include "statediagram/DiagramLayout.h"

namespace kelvo {

struct DiagramHighlight {
  int state = -1;                 // the current state
  int fromState = -1, slot = -1;  // the transition just taken
};

// Painter units are picture pixels at 96 per inch; the layout's points are
// scaled to them, with a margin all round.
QSize DiagramPictureSize(const DiagramLayout& layout);
void PaintDiagram(QPainter& p, const DiagramLayout& layout, const DiagramHighlight& highlight = {});
// A picture pixel to the layout's points, for finding the bubble clicked.
DiagramPoint DiagramPointAt(double x, double y);

}  // namespace kelvo
