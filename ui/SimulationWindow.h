#pragma once
// "Simulate": runs the machine on the circuits drawn for the open table. One
// toggle per switch (Shift+click, or its "momentary" tick, makes it a push
// button that is on only while held), a lamp per state relay and per named
// output relay, the state the relay code is, the start state and "Reset",
// the speed of the moves, "Step", and a log of what moved and why. After a
// switch changes, one due relay moves per tick; a due relay's lamp can be
// clicked to move it first (the order of a critical race). Transient for the
// main window, not modal. The canvas shows the current on its screen-only
// layer while this window is open.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "analysis/MachineSimulation.h"

namespace kelvo {

// The current on the drawing, for the canvas's screen-only layer (painter
// units: picture pixels): live wires and closed contacts in a strong colour,
// open contacts in grey, energised coils filled.
void PaintCurrent(QPainter& p, const std::vector<LitCell>& cells);
inline const QColor kCurrentColour(0, 170, 0);

class SimulationWindow : public QWidget {
  Q_OBJECT
public:
  SimulationWindow();

  // Starts again on a new drawing (or none: `simulation` null).
  // A `warning` is the log's first line (the table changed since the drawing).
  void Start(std::unique_ptr<MachineSimulation> simulation, const StateDiagram* diagram, const QString& warning = {});
  MachineSimulation* Simulation() const { return sim_.get(); }

  // Called after anything the canvas shows changed, and when the window closes.
  std::function<void()> onChanged;
  std::function<void()> onClosed;

  // The controls, for the keyboard and the tests.
  void SetSwitch(int i, bool on);
  void Tick();          // one due relay moves (what the timer does)
  void ResetMachine();  // back to the chosen start state

  std::vector<QPushButton*> switchButtons;
  std::vector<QCheckBox*> momentaryBoxes;
  std::array<QPushButton*, 4> stateLamps{};
  std::array<QLabel*, 6> outputLamps{};
  QLabel* stateLabel{};
  QComboBox* startState{};
  QPushButton *resetButton{}, *stepButton{};
  QCheckBox* stepMode{};   // moves only with "Step"
  QSlider* speedSlider{};  // ms per move
  QPlainTextEdit* logBox{};
  QTimer timer;
  QTimer blinkTimer;  // due relays blink while it runs

protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Rebuild();
  void Sync();
  void Moved(const SimulationMove& move);
  void SwitchChanged();

  std::unique_ptr<MachineSimulation> sim_;
  const StateDiagram* diagram_ = nullptr;
  QWidget* switchBox_{};
  QWidget* outputBox_{};
  int movesSinceChange_ = 0;
  bool raceTold_ = false;
  bool blinkLit_ = false;
};

}  // namespace kelvo
