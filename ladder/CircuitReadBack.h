#pragma once
// Reads a drawn tile grid back into the circuit it shows. The cells are placed
// as the drawing places them: branch b in its column x, its cells one row
// apart from the first step down ("*" and the gap "0" of a two-part grid take
// a row but draw nothing). Each cell joins the sides its tile code connects;
// a cell's S side meets the N side of the cell below, its E side the W side
// of the cell in the next column on the same row. The top supply line reaches
// the first cell of the main column, and the coil hangs below the main
// column's last cell. A contact passes current when closed: tile "8" with its
// variable on, tile "9" with it off; the label beside the contact names the
// variable. Wire pieces that touch form one electrical node, and each contact
// joins the node above it to the node below it. Conducts() answers whether a
// path runs from the top line to the coil for a set of variable values.

#include <cstdint>
#include <optional>
#include <vector>

#include "equations/SwitchFunction.h"
#include "ladder/LadderGrid.h"

namespace kelvo {

enum class GridFamily { Sum, TwoPart };

class CircuitReadBack {
public:
  // A circuit that is not drawn: it never conducts.
  CircuitReadBack() = default;
  CircuitReadBack(const TileGrid& tiles, const TileGrid& labels, GridFamily family, VariableTable& table);

  bool Conducts(uint64_t values) const;
  // Conducts() for 64 settings at once: bit j for setting j.
  uint64_t ConductsLanes(const Lanes& lanes) const;
  // The contacts of every simple path from the top line to the coil, paths
  // through both contacts of one switch left out; none when the search would
  // pass `limit` paths or many more steps.
  std::optional<std::vector<Cube>> PathCubes(size_t limit) const;
  // The mask of the variables of its contacts.
  uint64_t Variables() const { return variables_; }
  bool Drawn() const { return source_ >= 0; }

private:
  struct Cell {
    int x;
    int row;
    unsigned sides;
    int variable;  // -1: a wire piece
    bool closedWhenOn;
  };
  // A contact between two electrical nodes (wires joined together).
  struct Contact {
    int a, b;
    int variable;
    bool closedWhenOn;
  };

  void Place(int x, int row, const std::string& code, const std::string& label, VariableTable& table);
  int CellAt(int x, int row) const;
  void JoinIntoNodes(int entry, int exit);

  std::vector<Cell> cells_;
  std::vector<int> where_;  // [x * height_ + row]: the cell there, or -1
  int width_ = 0, height_ = 0;
  std::vector<Contact> contacts_;
  std::vector<int> firstTouching_{0};  // per node, where its contacts start in touching_
  std::vector<int> touching_;
  int source_ = -1;  // the node the top line feeds
  int sink_ = -1;    // the node the coil hangs from
  uint64_t variables_ = 0;
};

}  // namespace kelvo
