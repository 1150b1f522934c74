#include "ui/SimulationWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/CircuitCheck.h"
#include "output/ImageCanvas.h"
#include "output/TileShapes.h"
#include "ui/WindowKeys.h"

namespace kelvo {
namespace {

QString LampStyle(bool on) {
  return on ? QStringLiteral("background: #ffd000; border: 2px solid #806000; border-radius: 6px; padding: 3px;")
            : QStringLiteral("background: #e0e0e0; border: 2px solid #909090; border-radius: 6px; padding: 3px;");
}

// The log's line when the machine rests in a transit state, or "".
QString StuckLine(const MachineSimulation& sim) {
  QString stuck = QString::fromStdString(sim.StuckText());
  if (stuck.isEmpty()) return stuck;
  stuck[0] = stuck[0].toUpper();
  return QStringLiteral("%1 (%2).").arg(stuck, QString::fromStdString(RelayCodeText(sim.Code())));
}

}  // namespace

void PaintCurrent(QPainter& p, const std::vector<LitCell>& cells) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  for (const LitCell& c : cells) {
    const QPointF at(ImageCanvas::ToPixels(c.x), ImageCanvas::ToPixels(c.y));
    if (!c.live && !c.open) continue;
    const QColor colour = c.live ? kCurrentColour : QColor(170, 170, 170);
    p.save();
    p.translate(at.x() + 0.5, at.y() + 0.5);
    p.setPen(QPen(colour, c.live ? 2.0 : 1.0));
    p.setBrush(c.tile == 0 && c.live ? QBrush(colour) : Qt::NoBrush);
    DrawTileShape(p, c.tile);
    p.restore();
    if (c.linkTo > 0) {
      p.setPen(QPen(colour, 2.0));
      const double y = at.y() + kTilePixels / 2 + 0.5;
      p.drawLine(QPointF(at.x() + kTilePixels, y), QPointF(ImageCanvas::ToPixels(c.linkTo) + 0.5, y));
    }
  }
  p.restore();
}

SimulationWindow::SimulationWindow() : QWidget(nullptr, Qt::Dialog) {
  setWindowTitle(QStringLiteral("Simulate"));
  CloseOnEscape(this);
  auto* layout = new QVBoxLayout(this);

  auto* switches = new QGroupBox(QStringLiteral("Switches (Shift+click: on while held)"));
  switchBox_ = switches;
  new QGridLayout(switches);
  layout->addWidget(switches);

  auto* relays = new QGroupBox(QStringLiteral("Relays (click a blinking one to move it first)"));
  auto* relayRow = new QHBoxLayout(relays);
  for (int x = 0; x < 4; ++x) {
    stateLamps[x] = new QPushButton(QString(QLatin1Char(static_cast<char>('A' + x))));
    stateLamps[x]->setFixedWidth(44);
    connect(stateLamps[x], &QPushButton::clicked, this, [this, x] {
      if (!sim_ || !((sim_->Due() >> x) & 1)) return;
      if (auto move = sim_->Step(x)) Moved(*move);
    });
    relayRow->addWidget(stateLamps[x]);
  }
  relayRow->addSpacing(12);
  outputBox_ = new QWidget;
  auto* outputs = new QHBoxLayout(outputBox_);
  outputs->setContentsMargins(0, 0, 0, 0);
  for (int r = 0; r < kRelayCount; ++r) {
    outputLamps[r] = new QLabel;
    outputs->addWidget(outputLamps[r]);
  }
  relayRow->addWidget(outputBox_);
  relayRow->addStretch(1);
  layout->addWidget(relays);

  stateLabel = new QLabel;
  QFont big = stateLabel->font();
  big.setPointSize(big.pointSize() + 3);
  big.setBold(true);
  stateLabel->setFont(big);
  layout->addWidget(stateLabel);

  auto* controls = new QHBoxLayout;
  controls->addWidget(new QLabel(QStringLiteral("Start in:")));
  startState = new QComboBox;
  controls->addWidget(startState);
  resetButton = new QPushButton(QStringLiteral("&Reset"));
  controls->addWidget(resetButton);
  controls->addSpacing(12);
  controls->addWidget(new QLabel(QStringLiteral("Speed:")));
  speedSlider = new QSlider(Qt::Horizontal);
  speedSlider->setRange(50, 2000);
  speedSlider->setValue(400);
  speedSlider->setInvertedAppearance(true);  // to the right is faster
  speedSlider->setToolTip(QStringLiteral("Time between two moves: 50 ms to 2 s"));
  controls->addWidget(speedSlider, 1);
  stepMode = new QCheckBox(QStringLiteral("One &move per Step"));
  controls->addWidget(stepMode);
  stepButton = new QPushButton(QStringLiteral("S&tep"));
  controls->addWidget(stepButton);
  layout->addLayout(controls);

  logBox = new QPlainTextEdit;
  logBox->setReadOnly(true);
  logBox->setMaximumBlockCount(2000);
  layout->addWidget(logBox, 1);

  connect(resetButton, &QPushButton::clicked, this, &SimulationWindow::ResetMachine);
  connect(stepButton, &QPushButton::clicked, this, &SimulationWindow::Tick);
  connect(speedSlider, &QSlider::valueChanged, this, [this](int ms) { timer.setInterval(ms); });
  connect(stepMode, &QCheckBox::toggled, this, [this](bool stepping) {
    if (stepping)
      timer.stop();
    else if (sim_ && sim_->Due())
      timer.start();
  });
  timer.setInterval(speedSlider->value());
  blinkTimer.setInterval(400);
  connect(&blinkTimer, &QTimer::timeout, this, [this] {
    blinkLit_ = !blinkLit_;
    Sync();
  });
  connect(&timer, &QTimer::timeout, this, &SimulationWindow::Tick);
  resize(620, 460);
}

void SimulationWindow::Start(std::unique_ptr<MachineSimulation> simulation, const StateDiagram* diagram,
                             const QString& warning) {
  timer.stop();
  sim_ = std::move(simulation);
  diagram_ = diagram;
  Rebuild();
  // The log goes on across drawings, the new one marked off.
  if (!logBox->document()->isEmpty())
    logBox->appendPlainText(QStringLiteral("\u2500\u2500\u2500 drawn again \u2500\u2500\u2500"));
  if (!warning.isEmpty()) logBox->appendPlainText(warning);
  if (!sim_) {
    logBox->appendPlainText(QStringLiteral("No circuit is drawn: draw one with \"Circuit\" first."));
  } else {
    ResetMachine();
  }
  Sync();
}

void SimulationWindow::Rebuild() {
  auto* grid = static_cast<QGridLayout*>(switchBox_->layout());
  for (auto* b : switchButtons) b->deleteLater();
  for (auto* m : momentaryBoxes) m->deleteLater();
  switchButtons.clear();
  momentaryBoxes.clear();
  startState->clear();
  if (!sim_) return;
  const auto& names = sim_->Switches();
  // Shown by name, and first in the Tab order.
  std::vector<int> byName(names.size());
  for (size_t i = 0; i < names.size(); ++i) byName[i] = static_cast<int>(i);
  std::stable_sort(byName.begin(), byName.end(), [&names](int a, int b) {
    return QString::fromStdString(names[a]).compare(QString::fromStdString(names[b]), Qt::CaseInsensitive) < 0;
  });
  std::vector<int> placeOf(names.size());
  for (size_t k = 0; k < byName.size(); ++k) placeOf[byName[k]] = static_cast<int>(k);
  for (size_t i = 0; i < names.size(); ++i) {
    auto* button = new QPushButton(QString::fromStdString(names[i]));
    button->setCheckable(true);
    button->setMinimumWidth(70);
    button->installEventFilter(this);
    auto* momentary = new QCheckBox(QStringLiteral("momentary"));
    const int index = static_cast<int>(i);
    connect(button, &QPushButton::toggled, this, [this, index](bool on) {
      if (sim_ && sim_->SwitchOn(index) != on) {
        sim_->SetSwitch(index, on);
        SwitchChanged();
      }
    });
    const int row = placeOf[i] / 3, column = (placeOf[i] % 3) * 2;
    grid->addWidget(button, row, column);
    grid->addWidget(momentary, row, column + 1);
    switchButtons.push_back(button);
    momentaryBoxes.push_back(momentary);
  }
  QWidget* previous = nullptr;
  for (int i : byName) {
    if (previous) setTabOrder(previous, switchButtons[i]);
    setTabOrder(switchButtons[i], momentaryBoxes[i]);
    previous = momentaryBoxes[i];
  }
  if (previous) setTabOrder(previous, stateLamps[0]);
  // Once the new buttons are shown, the first has the keyboard.
  if (!byName.empty()) {
    QPushButton* first = switchButtons[byName.front()];
    QTimer::singleShot(0, first, [first] { first->setFocus(Qt::OtherFocusReason); });
  }
  for (int s = 0; s < kStateCount; ++s) {
    if (diagram_ && CodeValue(diagram_->Codes[s]) >= 0) startState->addItem(QStringLiteral("S%1").arg(s), s);
  }
}

bool SimulationWindow::eventFilter(QObject* watched, QEvent* event) {
  // A momentary switch, or one pressed with Shift, is on only while held.
  const auto type = event->type();
  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick) {
    for (size_t i = 0; i < switchButtons.size(); ++i) {
      if (watched != switchButtons[i]) continue;
      auto* mouse = static_cast<QMouseEvent*>(event);
      const bool held = momentaryBoxes[i]->isChecked() || (mouse->modifiers() & Qt::ShiftModifier);
      if (!held || mouse->button() != Qt::LeftButton) return false;
      SetSwitch(static_cast<int>(i), type != QEvent::MouseButtonRelease);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void SimulationWindow::SetSwitch(int i, bool on) {
  if (!sim_ || i < 0 || i >= static_cast<int>(switchButtons.size())) return;
  switchButtons[i]->setChecked(on);  // toggled() tells the machine
  if (sim_->SwitchOn(i) != on) {
    sim_->SetSwitch(i, on);
    SwitchChanged();
  }
}

void SimulationWindow::SwitchChanged() {
  movesSinceChange_ = 0;
  raceTold_ = false;
  QStringList on;
  for (size_t i = 0; i < switchButtons.size(); ++i) {
    if (sim_->SwitchOn(static_cast<int>(i))) on << switchButtons[i]->text();
  }
  logBox->appendPlainText(QStringLiteral("Switches on: %1").arg(on.isEmpty() ? QStringLiteral("none") : on.join(", ")));
  // A switch let go in a transit state can leave the machine resting there.
  if (const QString stuck = StuckLine(*sim_); !stuck.isEmpty()) logBox->appendPlainText(stuck);
  if (sim_->Due() && !stepMode->isChecked()) timer.start();
  Sync();
}

void SimulationWindow::Tick() {
  if (!sim_) return;
  if (!raceTold_ && sim_->Due()) {
    // Whether the order of the due relays decides where the machine ends.
    MachineSimulation copy = *sim_;
    const SettleResult every = copy.Settle();
    raceTold_ = true;
    if (every.raceEnds.size() > 1) {
      QStringList ends;
      for (int end : every.raceEnds) ends << QString::fromStdString(RelayCodeText(end));
      logBox->appendPlainText(QStringLiteral("Critical race: the order of the moves decides between %1. Click a "
                                             "blinking relay to move it first, or the relays move in the order A, B, "
                                             "C, D.")
                                  .arg(ends.join(QStringLiteral(" and "))));
    }
  }
  auto move = sim_->Step();
  if (!move) {
    timer.stop();
    return;
  }
  Moved(*move);
}

void SimulationWindow::Moved(const SimulationMove& move) {
  logBox->appendPlainText(QString::fromStdString(move.why));
  if (!move.passes.empty()) logBox->appendPlainText(QString::fromStdString(move.passes));
  if (++movesSinceChange_ >= MachineSimulation::kMaxMoves && sim_->Due()) {
    timer.stop();
    logBox->appendPlainText(
        QStringLiteral("It oscillates: still moving after %1 moves. Stopped.").arg(MachineSimulation::kMaxMoves));
  } else if (const QString stuck = StuckLine(*sim_); !stuck.isEmpty()) {
    timer.stop();
    logBox->appendPlainText(stuck);
  } else if (!sim_->Due()) {
    timer.stop();
    logBox->appendPlainText(
        QStringLiteral("Settled in %1 (%2).")
            .arg(QString::fromStdString(sim_->StateText()), QString::fromStdString(RelayCodeText(sim_->Code()))));
  }
  Sync();
}

void SimulationWindow::ResetMachine() {
  timer.stop();
  if (!sim_) return;
  const int start = startState->currentIndex() >= 0 ? startState->currentData().toInt() : 0;
  sim_->Reset(start);
  for (auto* b : switchButtons) {
    const QSignalBlocker quiet(b);
    b->setChecked(false);
  }
  movesSinceChange_ = 0;
  raceTold_ = false;
  logBox->appendPlainText(
      QStringLiteral("Reset to %1 (%2).")
          .arg(QString::fromStdString(sim_->StateText()), QString::fromStdString(RelayCodeText(sim_->Code()))));
  if (sim_->Due() && !stepMode->isChecked()) timer.start();
  Sync();
}

void SimulationWindow::Sync() {
  const int due = sim_ ? sim_->Due() : 0;
  if (due && !blinkTimer.isActive()) blinkTimer.start();
  if (!due) {
    blinkTimer.stop();
    blinkLit_ = false;
  }
  for (int x = 0; x < 4; ++x) {
    const bool on = sim_ && ((sim_->Code() >> x) & 1);
    const bool isDue = (due >> x) & 1;
    // A due relay blinks: its lamp flashes amber, with red letters throughout.
    stateLamps[x]->setStyleSheet(isDue && blinkLit_
                                     ? QStringLiteral("background: #ffb000; color: #c00000;")
                                     : LampStyle(on) + (isDue ? QStringLiteral("color: #c00000;") : QString()));
    stateLamps[x]->setToolTip(((due >> x) & 1) ? QStringLiteral("Due to move: click to move it now") : QString());
  }
  for (int r = 0; r < kRelayCount; ++r) {
    const bool named = sim_ && !sim_->OutputName(r).empty();
    outputLamps[r]->setVisible(named);
    if (!named) continue;
    outputLamps[r]->setText(QString::fromStdString(sim_->OutputName(r)));
    outputLamps[r]->setStyleSheet(LampStyle(sim_->OutputOn(r)));
  }
  stateLabel->setText(
      sim_ ? QStringLiteral("%1   (relays %2)")
                 .arg(QString::fromStdString(sim_->PlaceText()), QString::fromStdString(RelayCodeText(sim_->Code())))
           : QString());
  if (onChanged) onChanged();
}

void SimulationWindow::closeEvent(QCloseEvent* event) {
  timer.stop();
  blinkTimer.stop();
  if (onClosed) onClosed();
  event->accept();
}

}  // namespace kelvo
