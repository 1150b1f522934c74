#include "analysis/RungExpression.h"

#include <algorithm>

namespace kelvo {
namespace {

enum class Binding { Atom, And, Or };

struct Edge {
  int from, to;
  std::string text;
  Binding binding;
};

std::string Operand(const Edge& e, Binding inside) {
  return inside == Binding::And && e.binding == Binding::Or ? "(" + e.text + ")" : e.text;
}

Edge Join(const Edge& a, const Edge& b, Binding how, int from, int to) {
  const char* op = how == Binding::And ? " AND " : " OR ";
  return {from, to, Operand(a, how) + op + Operand(b, how), how};
}

// The nodes reached from `start` along the edges, forwards or backwards.
std::vector<char> Reached(const std::vector<Edge>& edges, int nodes, int start, bool forwards) {
  std::vector<char> reached(nodes, 0);
  reached[start] = 1;
  for (bool more = true; more;) {
    more = false;
    for (const Edge& e : edges) {
      const int a = forwards ? e.from : e.to, b = forwards ? e.to : e.from;
      if (reached[a] && !reached[b]) reached[b] = 1, more = true;
    }
  }
  return reached;
}

// One series or parallel join; false when none is left.
bool JoinOnce(std::vector<Edge>& edges, int source, int sink, int nodes) {
  for (size_t i = 0; i < edges.size(); ++i) {
    for (size_t j = i + 1; j < edges.size(); ++j) {
      if (edges[i].from == edges[j].from && edges[i].to == edges[j].to) {
        edges[i] = Join(edges[i], edges[j], Binding::Or, edges[i].from, edges[i].to);
        edges.erase(edges.begin() + static_cast<long>(j));
        return true;
      }
    }
  }
  std::vector<int> in(nodes, 0), out(nodes, 0);
  for (const Edge& e : edges) ++out[e.from], ++in[e.to];
  for (int n = 0; n < nodes; ++n) {
    if (n == source || n == sink || in[n] != 1 || out[n] != 1) continue;
    const auto into = std::find_if(edges.begin(), edges.end(), [n](const Edge& e) { return e.to == n; });
    const auto from = std::find_if(edges.begin(), edges.end(), [n](const Edge& e) { return e.from == n; });
    const Edge joined = Join(*into, *from, Binding::And, into->from, from->to);
    edges.erase(std::max(into, from));
    edges.erase(std::min(into, from));
    edges.push_back(joined);
    return true;
  }
  return false;
}

// The OR of the simple paths from `node` to `sink`.
void Paths(const std::vector<Edge>& edges, int node, int sink, std::vector<char>& onPath, const std::string& so_far,
           std::vector<std::string>& paths) {
  if (node == sink) {
    paths.push_back(so_far);
    return;
  }
  onPath[node] = 1;
  for (const Edge& e : edges) {
    if (e.from != node || onPath[e.to]) continue;
    Paths(edges, e.to, sink, onPath,
          so_far.empty() ? Operand(e, Binding::And) : so_far + " AND " + Operand(e, Binding::And), paths);
  }
  onPath[node] = 0;
}

}  // namespace

std::string RungExpression(const PlcRung& rung, const std::vector<PlcVariable>& variables) {
  if (rung.source < 0) return "FALSE";
  if (rung.source == rung.sink) return "TRUE";
  std::vector<Edge> edges;
  for (const PlcContact& c : rung.contacts) {
    const std::string& name = variables[c.variable].name;
    edges.push_back({c.top, c.bottom, c.negated ? "NOT " + name : name, Binding::Atom});
  }
  const std::vector<char> fed = Reached(edges, rung.nodes, rung.source, true);
  const std::vector<char> feeding = Reached(edges, rung.nodes, rung.sink, false);
  std::erase_if(edges, [&](const Edge& e) { return !fed[e.from] || !feeding[e.to]; });
  if (edges.empty()) return "FALSE";
  while (JoinOnce(edges, rung.source, rung.sink, rung.nodes)) {
  }
  if (edges.size() == 1) return edges[0].text;
  std::vector<char> onPath(rung.nodes, 0);
  std::vector<std::string> paths;
  Paths(edges, rung.source, rung.sink, onPath, "", paths);
  std::string sum;
  for (const std::string& p : paths) sum += (sum.empty() ? "" : " OR ") + p;
  return sum.empty() ? "FALSE" : sum;
}

}  // namespace kelvo
