#include "ui/MachineWindows.h"

#include "analysis/CircuitCheck.h"
#include "ui/MainWindow.h"
#include "ui/WindowKeys.h"
#include "ui/WindowPlaces.h"

namespace kelvo {

void MachineWindows::Simulate() {
  MainWindow& w = window_;
  if (!simulationWindow) {
    simulationWindow = std::make_unique<SimulationWindow>();
    simulationWindow->setWindowIcon(w.windowIcon());
    RememberPlace(simulationWindow.get(), QStringLiteral("simulation"), &w);
    simulationWindow->onChanged = [this] {
      window_.canvasView->update();
      FollowSimulationInDiagram();
    };
    simulationWindow->onClosed = [this] {
      window_.canvasView->paintOverlay = nullptr;
      window_.canvasView->update();
      if (diagramWindow) {
        diagramWindow->view->highlight = {};
        diagramWindow->view->update();
      }
    };
    StayAbove(simulationWindow.get(), &w);
  }
  simulationWindow->show();
  simulationWindow->raise();
  simulationWindow->activateWindow();
  RestartSimulation();
}

void MachineWindows::FollowSimulationInDiagram() {
  const Session& session = window_.session;
  if (!diagramWindow || !simulationWindow || !simulationWindow->Simulation() || !session.drawn) return;
  DiagramHighlight& h = diagramWindow->view->highlight;
  const int now = simulationWindow->Simulation()->State();
  if (now != h.state) {
    // Reached through a transition of the state before: that arrow is stressed.
    h.fromState = h.slot = -1;
    for (int j = 0; IsValidState(h.state) && now >= 0 && j < kSlotCount; ++j) {
      if (StateOfTarget(session.drawn->table.Targets[h.state][j]) == now) {
        h.fromState = h.state;
        h.slot = j;
        break;
      }
    }
    h.state = now;
  }
  diagramWindow->view->update();
}

void MachineWindows::RestartSimulation() {
  if (!simulationWindow || !simulationWindow->isVisible()) return;
  const Session& session = window_.session;
  const CircuitViews& views = session.views;
  std::unique_ptr<MachineSimulation> sim;
  const StateDiagram* table = nullptr;
  if (session.drawn && views.HasCircuit()) {
    // The circuits of the form the view on screen draws, and what they were drawn from.
    table = &session.drawn->table;
    sim = std::make_unique<MachineSimulation>(*table, session.drawn->equations, session.grid, views.ShownParallel());
  }
  if (diagramWindow) diagramWindow->view->highlight = {};
  simulationWindow->Start(std::move(sim), table,
                          session.DrawingIsStale() ? QString::fromUtf8(kStaleDrawing) : QString());
  // The current is shown on the view on screen, whichever it is.
  window_.canvasView->paintOverlay = [this](QPainter& p) {
    if (simulationWindow && simulationWindow->Simulation()) {
      PaintCurrent(p, LitCells(*simulationWindow->Simulation(), window_.views.Places()));
    }
  };
  window_.canvasView->update();
}

void MachineWindows::ViewChanged() {
  if (simulationWindow && simulationWindow->Simulation() &&
      simulationWindow->Simulation()->Parallel() != window_.views.ShownParallel()) {
    RestartSimulation();
  }
}

void MachineWindows::ShowDiagram() {
  MainWindow& w = window_;
  if (!w.entryForm) return;
  if (!diagramWindow) {
    diagramWindow = std::make_unique<DiagramWindow>(w.Dialogs());
    diagramWindow->setWindowIcon(w.windowIcon());
    RememberPlace(diagramWindow.get(), QStringLiteral("diagram"), &w);
    diagramWindow->view->onStateClicked = [this](int state) { window_.formCommands.OpenAt(state); };
    StayAbove(diagramWindow.get(), &w);
  }
  diagramWindow->show();
  diagramWindow->raise();
  diagramWindow->activateWindow();
  RefreshDiagram();
}

void MachineWindows::RefreshDiagram() {
  const MainWindow& w = window_;
  if (w.entryForm && diagramWindow && diagramWindow->isVisible()) {
    diagramWindow->suggestedName = QString::fromStdString(
        w.fileCommands.BesideDocument(w.fileCommands.DocumentStem() + QStringLiteral("-diagram.png")));
    diagramWindow->ShowTable(w.entryForm->table());
  }
}

void MachineWindows::CheckCircuit() {
  MainWindow& w = window_;
  const Session& session = w.session;
  if (!session.drawn || !w.checkAction->isEnabled() || !w.views.HasCircuit()) return;
  if (checkReport) checkReport->close();
  // The check runs what is drawn, and says so when the table has moved on.
  checkReport = new CheckReportWindow(
      kelvo::CheckCircuit(session.drawn->table, session.drawn->equations, session.grid, w.views.parallelForm),
      session.Notes(), &w, session.DrawingIsStale() ? QString::fromUtf8(kStaleDrawing) : QString());
  checkReport->setWindowIcon(w.windowIcon());
  RememberPlace(checkReport, QStringLiteral("check"), &w);
  checkReport->show();
}

void MachineWindows::Close() {
  diagramWindow.reset();
  simulationWindow.reset();
}

}  // namespace kelvo
