#include "statediagram/DiagramLayout.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <array>
#include <cmath>
#include <memory>

#include "equations/ExpressionText.h"

namespace kelvo {
namespace {

// Graphviz takes its attribute texts as escaped strings: a backslash starts
// an escape ("\n" a line break, "\N" the node's name).
std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += '\\';
    out += c;
  }
  return out;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string label;
  for (size_t i = 0; i < lines.size(); ++i) label += (i ? "\\n" : "") + Escaped(lines[i]);
  return label;
}

void Set(void* object, const char* name, const std::string& value) {
  agsafeset(object, const_cast<char*>(name), const_cast<char*>(value.c_str()), const_cast<char*>(""));
}

// One Graphviz context for the whole run. Graphviz's text layout keeps
// pointers into the font names of the context that laid out last, so a
// context freed and made anew would leave it comparing freed memory.
GVC_t* Context() {
  static GVC_t* const context = gvContext();
  return context;
}

struct GraphClose {
  void operator()(Agraph_t* g) const { agclose(g); }
};

// The first `count` characters of UTF-8 `text` and "...".
std::string Shortened(const std::string& text, size_t count) {
  size_t end = 0;
  for (size_t characters = 0; end < text.size() && characters < count; ++characters) {
    do ++end;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80);
  }
  return text.substr(0, end) + "...";
}

// A trigger as the diagram labels it: whole when the flows take its size,
// else shortened, with the reason the flows refuse it.
std::string TriggerLabel(const std::string& trigger, bool& refused) {
  const std::string fault = TriggerSizeFault(trigger);
  refused = !fault.empty();
  return refused ? Shortened(trigger, kShownTriggerCharacters) + " (refused: " + fault + ")" : trigger;
}

bool TransitionUsed(const StateDiagram& d, int s, int j) {
  return !d.Targets[s][j].empty() || !d.Triggers[s][j].empty();
}

}  // namespace

const DiagramNode* DiagramLayout::NodeAt(double x, double y) const {
  for (const auto& n : nodes) {
    const double dx = (x - n.center.x) / (n.width / 2), dy = (y - n.center.y) / (n.height / 2);
    if (dx * dx + dy * dy <= 1.0) return &n;
  }
  return nullptr;
}

std::vector<int> StatesInUse(const StateDiagram& d) {
  std::array<bool, kStateCount> used{};
  bool any = false;
  for (int s = 0; s < kStateCount; ++s) {
    for (int j = 0; j < kSlotCount; ++j) {
      if (!TransitionUsed(d, s, j)) continue;
      used[s] = any = true;
      const int to = StateOfTarget(d.Targets[s][j]);
      if (to >= 0) used[to] = true;
    }
  }
  std::vector<int> states;
  if (!any) return states;
  used[0] = true;
  for (int s = 0; s < kStateCount; ++s) {
    if (used[s]) states.push_back(s);
  }
  return states;
}

DiagramLayout LayOutDiagram(const StateDiagram& d) {
  DiagramLayout layout;
  const std::vector<int> states = StatesInUse(d);
  if (states.empty()) return layout;

  agseterr(AGMAX);  // Graphviz's warnings stay quiet; failures are reported below
  GVC_t* const gvc = Context();
  if (!gvc) {
    layout.error = "Graphviz could not be started.";
    return layout;
  }
  std::unique_ptr<Agraph_t, GraphClose> g(agopen(const_cast<char*>("states"), Agdirected, nullptr));
  if (!g) {
    layout.error = "Graphviz could not make the graph.";
    return layout;
  }
  Set(g.get(), "rankdir", "LR");
  Set(g.get(), "nodesep", "0.4");
  Set(g.get(), "ranksep", "0.6");
  agattr(g.get(), AGNODE, const_cast<char*>("fontname"), const_cast<char*>("DejaVu Sans"));
  agattr(g.get(), AGNODE, const_cast<char*>("fontsize"), const_cast<char*>("10"));
  agattr(g.get(), AGEDGE, const_cast<char*>("fontname"), const_cast<char*>("DejaVu Sans"));
  agattr(g.get(), AGEDGE, const_cast<char*>("fontsize"), const_cast<char*>("9"));

  std::array<Agnode_t*, kStateCount> nodes{};
  for (int s : states) {
    DiagramNode node;
    node.state = s;
    node.lines.push_back("S" + std::to_string(s));
    node.lines.push_back(d.Codes[s].empty() ? "no code" : d.Codes[s]);
    for (int r = 0; r < kRelayCount; ++r) {
      if (!d.CoilNames[r].empty() && d.CoilOn[s][r] && !d.CoilOff[s][r]) node.lines.push_back(d.CoilNames[r]);
    }
    const std::string name = "S" + std::to_string(s);
    nodes[s] = agnode(g.get(), const_cast<char*>(name.c_str()), 1);
    Set(nodes[s], "shape", "ellipse");
    Set(nodes[s], "label", Lines(node.lines));
    layout.nodes.push_back(std::move(node));
  }
  // The start arrow comes from an invisible point left of S0.
  Agnode_t* start = agnode(g.get(), const_cast<char*>("start"), 1);
  Set(start, "shape", "point");
  Set(start, "width", "0.05");
  std::vector<Agedge_t*> edges;
  DiagramEdge startEdge;
  startEdge.from = startEdge.to = 0;
  startEdge.start = true;
  layout.edges.push_back(startEdge);
  edges.push_back(agedge(g.get(), start, nodes[0], nullptr, 1));

  int dangling = 0;
  for (int s : states) {
    for (int j = 0; j < kSlotCount; ++j) {
      if (!TransitionUsed(d, s, j)) continue;
      DiagramEdge edge;
      edge.from = s;
      edge.slot = j;
      edge.to = StateOfTarget(d.Targets[s][j]);
      edge.label = TriggerLabel(d.Triggers[s][j], edge.bad);
      Agnode_t* to = edge.to >= 0 ? nodes[edge.to] : nullptr;
      if (!to) {
        edge.bad = true;
        const std::string& target = d.Targets[s][j];
        const std::string shown =
            target.size() > kMaxTriggerCharacters ? Shortened(target, kShownTriggerCharacters) : target;
        edge.label = (target.empty() ? std::string("no target") : "to \"" + shown + "\"") +
                     (edge.label.empty() ? "" : ": " + edge.label);
        const std::string name = "dangling" + std::to_string(dangling++);
        to = agnode(g.get(), const_cast<char*>(name.c_str()), 1);
        Set(to, "shape", "point");
        Set(to, "width", "0.05");
      }
      Agedge_t* e = agedge(g.get(), nodes[s], to, nullptr, 1);
      Set(e, "label", Escaped(edge.label.empty() ? " " : edge.label));
      edges.push_back(e);
      layout.edges.push_back(std::move(edge));
    }
  }

  if (gvLayout(gvc, g.get(), "dot") != 0) {
    layout.edges.clear();
    layout.nodes.clear();
    layout.error = "Graphviz could not lay out the diagram.";
    return layout;
  }
  const boxf bb = GD_bb(g.get());
  const double top = bb.UR.y;
  const auto point = [&](pointf p) { return DiagramPoint{p.x - bb.LL.x, top - p.y}; };
  layout.width = bb.UR.x - bb.LL.x;
  layout.height = bb.UR.y - bb.LL.y;
  for (auto& node : layout.nodes) {
    Agnode_t* n = nodes[node.state];
    node.center = point(ND_coord(n));
    node.width = ND_width(n) * 72.0;
    node.height = ND_height(n) * 72.0;
  }
  for (size_t i = 0; i < edges.size(); ++i) {
    DiagramEdge& edge = layout.edges[i];
    const splines* spl = ED_spl(edges[i]);
    if (spl && spl->size > 0) {
      const bezier& b = spl->list[0];
      for (int k = 0; k < static_cast<int>(b.size); ++k) edge.curve.push_back(point(b.list[k]));
      edge.arrow = b.eflag != 0;
      if (edge.arrow) edge.arrowTip = point(b.ep);
    }
    if (const textlabel_t* label = ED_label(edges[i]); label && label->set) edge.labelCenter = point(label->pos);
  }
  gvFreeLayout(gvc, g.get());
  return layout;
}

}  // namespace kelvo
