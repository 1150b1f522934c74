#pragma once
// The state table as a picture: one bubble per state in use (its name, its
// code or "no code", and the output relays ON in it), one arrow per
// transition labelled with its trigger, a start arrow into S0, a loop for a
// transition back to its own state, and a red dangling arrow for a target
// that names no state S0..S15 (or none at all), labelled with what is wrong.
// Graphviz's "dot" lays it out; this holds the result in points (1/72 inch),
// y downwards, for the program to paint.

#include <string>
#include <vector>

#include "statediagram/StateDiagram.h"

namespace kelvo {

struct DiagramPoint {
  double x = 0, y = 0;
};

struct DiagramNode {
  int state = -1;
  std::vector<std::string> lines;  // "S2", "0110" or "no code", then the relays ON
  DiagramPoint center;
  double width = 0, height = 0;  // of the ellipse
};

struct DiagramEdge {
  int from = -1;
  int slot = -1;  // transition 0..3
  int to = -1;    // -1: a dangling arrow (a target that is no state)
  std::string label;
  bool bad = false;                 // the target is wrong, or the flows refuse the trigger; `label` says why
  bool start = false;               // the start arrow into S0 (from = to = 0, slot -1)
  std::vector<DiagramPoint> curve;  // cubic Bezier: the start, then three points per piece
  bool arrow = false;
  DiagramPoint arrowTip;  // the arrow head ends here, at the target's edge
  DiagramPoint labelCenter;
};

struct DiagramLayout {
  double width = 0, height = 0;
  std::vector<DiagramNode> nodes;
  std::vector<DiagramEdge> edges;
  std::string error;  // why there is no layout; empty when laid out

  const DiagramNode* NodeAt(double x, double y) const;
};

// The states shown: S0 and every state with a transition or the target of one.
// None for an empty table.
std::vector<int> StatesInUse(const StateDiagram& diagram);

// A trigger the flows refuse for its size (TriggerSizeFault) is labelled with
// its first kShownTriggerCharacters characters, "..." and the refusal.
inline constexpr size_t kShownTriggerCharacters = 60;
DiagramLayout LayOutDiagram(const StateDiagram& diagram);

}  // namespace kelvo
