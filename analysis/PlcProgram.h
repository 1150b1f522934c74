#pragma once
// The drawn circuits of a table as one PLC program, ready to be written as
// PLCopen XML or Structured Text (PlcExport). Each circuit drawn in the form
// chosen (the two-part or the multiplied-out state-variable circuits A..D,
// then the output relays) is read back from its tile grid (CircuitReadBack)
// and becomes a rung: its contacts between the nodes of its wires, where the
// drawing placed them, and the coil. Current runs down the drawing, from the
// top line to the coil, as it runs from the left rail to the right one in a
// PLC's ladder.
//
// Every name gets a variable: the switches are inputs, the state-variable
// relays internal variables and the output relays outputs (a contact named
// after an output relay reads that output); each named by an IEC identifier
// (PlcNames), the program's spelling kept beside it.

#include <string>
#include <vector>

#include "common/Fault.h"
#include "equations/EquationSet.h"
#include "ladder/LadderGrid.h"
#include "statediagram/StateDiagram.h"

namespace kelvo {

enum class PlcVariableKind { Input, Output, Internal };

struct PlcVariable {
  std::string name;   // the identifier
  std::string shown;  // the name as the program writes it
  PlcVariableKind kind;
};

// A contact of a rung: it passes current from node `top` to node `bottom`
// when its variable is on (off when negated), at the drawing's column and row.
struct PlcContact {
  int top, bottom;
  int variable;
  bool negated;
  int column, row;
};

struct PlcRung {
  std::string title;     // "A (two-part)", "relay Lamp"
  std::string equation;  // the equation the circuit draws
  int slot = 0;          // 0..3 A..D, kFirstRelaySlot + r relay r
  int coil = 0;          // the variable the coil drives
  std::vector<PlcContact> contacts;
  int source = 0, sink = 0;  // the nodes of the left rail and of the coil
  int nodes = 0;
  int columns = 1;  // the drawing's columns
  int lastRow = 0;  // the drawing's lowest row of the rung
};

struct PlcProgram {
  std::string name;        // the program's identifier
  std::string sourceFile;  // the states file's name, without its folder
  bool parallelForm = false;
  std::vector<std::string> stateComments;  // "S3: waiting for the car"
  std::vector<PlcVariable> variables;
  std::vector<PlcRung> rungs;
};

struct PlcSource {
  const StateDiagram& table;
  const EquationSet& equations;
  const LadderGrid& grid;
  bool parallelForm;
  std::string sourceFile;  // names the program and goes into its documentation
};

// The program of the drawn circuits, or why there is none ("more than 64
// switch and relay names").
Result<PlcProgram> BuildPlcProgram(const PlcSource& source);

}  // namespace kelvo
