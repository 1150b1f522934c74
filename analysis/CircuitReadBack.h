#pragma once
// Reads a drawn tile grid back into the circuit it shows. The cells are placed
// as the drawing places them: branch b in its column x, its cells one row
// apart from the first step down (shared cells and the gaps of a two-part grid
// take a row but draw nothing). Each cell joins the sides its tile connects;
// a cell's S side meets the N side of the cell below, its E side the W side
// of the cell in the next column on the same row. The top supply line reaches
// the first cell of the main column, and the coil hangs below the main
// column's last cell. A contact passes current when closed: a normally open
// one with its variable on, a normally closed one with it off; the label
// beside the contact names the
// variable. Wire pieces that touch form one electrical node, and each contact
// joins the node above it to the node below it. Conducts() answers whether a
// path runs from the top line to the coil for a set of variable values.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "equations/SwitchFunction.h"
#include "ladder/LadderGrid.h"

namespace kelvo {

enum class GridFamily { Sum, TwoPart };

class CircuitReadBack {
public:
  // A circuit that is not drawn: it never conducts.
  CircuitReadBack() = default;
  CircuitReadBack(const TileGrid& tiles, const LabelGrid& labels, GridFamily family, VariableTable& table);

  bool Conducts(uint64_t values) const;
  // Conducts() for 64 settings at once: bit j for setting j.
  uint64_t ConductsLanes(const Lanes& lanes) const;
  // The contacts of every simple path from the top line to the coil, paths
  // through both contacts of one switch left out; none when the search would
  // pass `limit` paths or many more steps.
  std::optional<std::vector<Cube>> PathCubes(size_t limit) const;
  // The cells on a path that conducts with `values`, as (column, row) where
  // they were placed: the closed contacts and the wire pieces of the nodes
  // that current passes through (dead ends left out). Empty when the circuit
  // does not conduct.
  std::vector<std::pair<int, int>> LiveCells(uint64_t values) const;
  // The contacts of one closed path from the top line to the coil, top
  // first, joined by "." ("X1.b"); "1" for a plain wire; "" when none.
  std::string ClosedPath(uint64_t values, const VariableTable& table) const;
  // Every placed cell: column, row, the tile it shows (a wire piece or a
  // contact; a contact whose name the table could not take reads as a wire)
  // and, for a contact, its variable and whether it closes when on.
  struct PlacedCell {
    int x, row;
    Tile tile;
    int variable;
    bool closedWhenOn;
  };
  std::vector<PlacedCell> Cells() const;
  // The contacts as the circuit joins them: each links the node above it to
  // the node below it; the top line feeds node Source() and the coil hangs
  // from node Sink() (the same node for a plain wire). A contact whose two
  // sides one wire joins is left out.
  struct Link {
    int top, bottom;
    int x, row;
    int variable;
    bool closedWhenOn;
  };
  std::vector<Link> Links() const;
  int Source() const { return source_; }
  int Sink() const { return sink_; }
  // The row of the main column's last cell, which the coil hangs below; -1 when none.
  int MainEndRow() const { return mainEndRow_; }
  // The mask of the variables of its contacts.
  uint64_t Variables() const { return variables_; }
  bool Drawn() const { return source_ >= 0; }

  // Whether contact k passes current with `values`.
  static bool Closed(bool closedWhenOn, int variable, uint64_t values) {
    return (((values >> variable) & 1) != 0) == closedWhenOn;
  }

private:
  struct Cell {
    int x;
    int row;
    Tile tile;
    unsigned sides;
    int variable;  // -1: a wire piece
    bool closedWhenOn;
  };
  // A contact between two electrical nodes (wires joined together).
  struct Contact {
    int a, b;
    int variable;
    bool closedWhenOn;
    int cell;
  };

  // `variable`: the contact's variable, -1 for a wire piece (or a contact the table had no room for).
  void Place(int x, int row, Tile tile, int variable);
  int CellAt(int x, int row) const;
  void JoinIntoNodes(int entry, int exit);
  // Breadth first from the top line over the contacts closed with `values`:
  // per node, the contact it was first reached through (shortest paths), or
  // kSourceNode, or kUnreached.
  static constexpr int kUnreached = -1, kSourceNode = -2;
  std::vector<int> ClosedTree(uint64_t values) const;

  std::vector<Cell> cells_;
  std::vector<int> where_;  // [x * height_ + row]: the cell there, or -1
  int width_ = 0, height_ = 0;
  std::vector<Contact> contacts_;
  std::vector<int> firstTouching_{0};  // per node, where its contacts start in touching_
  std::vector<int> touching_;
  std::vector<int> cellTop_, cellBottom_;  // per cell, the nodes of its two terminals
  int source_ = -1;                        // the node the top line feeds
  int sink_ = -1;                          // the node the coil hangs from
  int mainEndRow_ = -1;
  uint64_t variables_ = 0;
};

}  // namespace kelvo
