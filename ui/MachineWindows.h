#pragma once
// The windows that run or show the machine beside the main window: the state
// diagram ("Show Diagram"), the simulation ("Simulate", its current shown on
// the canvas and its state stressed in the diagram) and the report of "Check
// Circuit". Each runs what is drawn (Session::drawn); this controller makes
// them on first use and starts them again when the drawing or the view changes.

#include <QPointer>
#include <memory>

#include "ui/CheckReportWindow.h"
#include "ui/DiagramWindow.h"
#include "ui/SimulationWindow.h"

namespace kelvo {

class MainWindow;

class MachineWindows {
public:
  explicit MachineWindows(MainWindow& window) : window_(window) {}

  // "Show Diagram": the state diagram window, which follows the table.
  void ShowDiagram();
  // "Simulate": the machine run on its drawing, the current shown on the canvas.
  void Simulate();
  // "Check Circuit": reads the drawn circuits back and runs them.
  void CheckCircuit();
  // The diagram shows the table as it is now.
  void RefreshDiagram();
  // The simulation starts again on the drawing now shown (or stops).
  void RestartSimulation();
  // A view in the other form runs the other form's circuits.
  void ViewChanged();
  // Before the window closes.
  void Close();

  std::unique_ptr<DiagramWindow> diagramWindow;
  std::unique_ptr<SimulationWindow> simulationWindow;
  QPointer<CheckReportWindow> checkReport;

private:
  // The diagram stresses the simulation's state and the transition just taken.
  void FollowSimulationInDiagram();

  MainWindow& window_;
};

}  // namespace kelvo
