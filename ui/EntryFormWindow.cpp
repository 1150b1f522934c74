#include "ui/EntryFormWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "session/TableFaults.h"
#include "ui/WindowKeys.h"

namespace kelvo {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

EntryFormWindow::EntryFormWindow(EntryForm& logic, UserDialogs& dialogs)
    : QWidget(nullptr, Qt::Dialog), logic_(logic), dialogs_(dialogs) {
  setWindowTitle(QStringLiteral("States Input Form"));
  setMouseTracking(true);
  CloseOnEscape(this);
  BuildWidgets();
  AddTips();
  Connect();
  logic_.onRepaint = [this] { Repaint(); };
  Repaint();
}

void EntryFormWindow::BuildWidgets() {
  auto* layout = new QGridLayout(this);

  State = new QLabel;
  QFont big = State->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  State->setFont(big);
  layout->addWidget(State, 0, 0);

  Frame1 = new QGroupBox(QStringLiteral("DCBA Value"));
  dcba = new FilteredLineEdit;
  dcba->setMaxLength(32);
  dcba->SetFilter(&EntryForm::AcceptsCodeKey, [this] { dialogs_.Beep(); });
  (new QHBoxLayout(Frame1))->addWidget(dcba);
  layout->addWidget(Frame1, 0, 1);

  Frame11 = new QGroupBox(QStringLiteral("DCBA Calc"));
  autoCodes = new QCheckBox(QStringLiteral("&Auto"));
  (new QHBoxLayout(Frame11))->addWidget(autoCodes);
  layout->addWidget(Frame11, 0, 2);

  auto* commentRow = new QHBoxLayout;
  auto* label1 = new QLabel(QStringLiteral("Co&mments:"));
  comment = new FilteredLineEdit;
  comment->setMaxLength(kMaxCommentCharacters);
  comment->SetFilter(&EntryForm::AcceptsTextKey, [this] { dialogs_.Beep(); });
  label1->setBuddy(comment);
  commentRow->addWidget(label1);
  commentRow->addWidget(comment, 1);
  layout->addLayout(commentRow, 1, 0, 1, 3);

  Frame2 = new QGroupBox;
  auto* transitions = new QGridLayout(Frame2);
  for (int j = 0; j < kSlotCount; ++j) {
    ToState[j] = new QComboBox;
    ToState[j]->setEditable(true);
    ToState[j]->setInsertPolicy(QComboBox::NoInsert);
    ToState[j]->setMinimumContentsLength(6);
    TransVar[j] = new FilteredLineEdit;
    TransVar[j]->SetFilter(&EntryForm::AcceptsTriggerKey, [this] { dialogs_.Beep(); });
    transitions->addWidget(ToState[j], j, 0);
    transitions->addWidget(new QLabel(QStringLiteral("Through :")), j, 1);
    transitions->addWidget(TransVar[j], j, 2);
  }
  transitions->setColumnStretch(2, 1);
  layout->addWidget(Frame2, 2, 0, 1, 3);

  Frame3 = new QGroupBox(QStringLiteral("Machine State:"));
  auto* relays = new QGridLayout(Frame3);
  relays->addWidget(new QLabel(QStringLiteral("Name:")), 0, 0);
  relays->addWidget(new QLabel(QStringLiteral("State:")), 0, 1, 1, 4);
  for (int r = 0; r < kRelayCount; ++r) {
    Coil[r] = new FilteredLineEdit;
    Coil[r]->setMaxLength(kMaxRelayNameCharacters);
    Coil[r]->SetFilter(&EntryForm::AcceptsTextKey, [this] { dialogs_.Beep(); });
    ControlOn[r] = new QRadioButton;
    ControlOff[r] = new QRadioButton;
    pairs_[r] = new QButtonGroup(this);
    pairs_[r]->addButton(ControlOn[r]);
    pairs_[r]->addButton(ControlOff[r]);
    ControlOn[r]->setAccessibleName(QStringLiteral("Relay %1 ON").arg(r + 1));
    ControlOff[r]->setAccessibleName(QStringLiteral("Relay %1 OFF").arg(r + 1));
    for (QRadioButton* b : {ControlOn[r], ControlOff[r]}) {
      b->installEventFilter(this);
      connect(b, &QRadioButton::toggled, this, [this, r] { SyncPairFocus(r); });
    }
    relays->addWidget(Coil[r], r + 1, 0);
    relays->addWidget(new QLabel(QStringLiteral("ON:")), r + 1, 1);
    relays->addWidget(ControlOn[r], r + 1, 2);
    relays->addWidget(new QLabel(QStringLiteral("OFF:")), r + 1, 3);
    relays->addWidget(ControlOff[r], r + 1, 4);
  }
  relays->setColumnStretch(0, 1);
  layout->addWidget(Frame3, 3, 0, 1, 2);

  Frame4 = new QGroupBox(QStringLiteral("Hint:"));
  LabelHint = new QLabel;
  LabelHint->setWordWrap(true);
  LabelHint->setTextFormat(Qt::PlainText);
  LabelHint->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  LabelHint->setMinimumWidth(220);
  (new QVBoxLayout(Frame4))->addWidget(LabelHint);
  layout->addWidget(Frame4, 3, 2);

  auto* buttons = new QHBoxLayout;
  BackButton = new QPushButton(QStringLiteral("<< &Back"));
  NextButton = new QPushButton(QStringLiteral("&Next >>"));
  ClearCom = new QPushButton(QStringLiteral("C&lear Form"));
  LoadStates = new QPushButton(QStringLiteral("L&oad"));
  SaveStates = new QPushButton(QStringLiteral("&Save"));
  FinishButton = new QPushButton(QStringLiteral("&Equations"));
  CircExt = new QPushButton(QStringLiteral("&Circuit"));
  Cancel = new QPushButton(QStringLiteral("Cancel"));
  for (auto* b : {BackButton, NextButton, ClearCom, LoadStates, SaveStates, FinishButton, CircExt, Cancel}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  layout->addLayout(buttons, 4, 0, 1, 3);

  for (QGroupBox* frame : {Frame1, Frame2, Frame3, Frame11, Frame4}) {
    frame->setMouseTracking(true);
    frame->installEventFilter(this);
  }
  // Tab order follows the page from top to bottom.
  QWidget* order[] = {dcba, autoCodes, comment};
  setTabOrder(order[0], order[1]);
  setTabOrder(order[1], order[2]);
  QWidget* previous = comment;
  for (int j = 0; j < kSlotCount; ++j) {
    setTabOrder(previous, ToState[j]);
    setTabOrder(ToState[j], TransVar[j]);
    previous = TransVar[j];
  }
  for (int r = 0; r < kRelayCount; ++r) {
    setTabOrder(previous, Coil[r]);
    setTabOrder(Coil[r], ControlOn[r]);
    setTabOrder(ControlOn[r], ControlOff[r]);
    previous = ControlOff[r];
  }
}

void EntryFormWindow::Connect() {
  auto edited = [this](auto apply) {
    return [this, apply](auto&&... args) {
      if (painting_) return;
      apply(args...);
      if (onEdited) onEdited();
    };
  };
  connect(dcba, &QLineEdit::textChanged, this,
          edited([this](const QString& t) { logic_.shown.code = t.toStdString(); }));
  connect(comment, &QLineEdit::textChanged, this,
          edited([this](const QString& t) { logic_.shown.comment = t.toStdString(); }));
  connect(autoCodes, &QCheckBox::toggled, this, edited([this](bool on) { logic_.autoCodes = on; }));
  for (int j = 0; j < kSlotCount; ++j) {
    connect(ToState[j], &QComboBox::currentTextChanged, this,
            edited([this, j](const QString& t) { logic_.shown.targets[j] = t.toStdString(); }));
    connect(TransVar[j], &QLineEdit::textChanged, this,
            edited([this, j](const QString& t) { logic_.shown.triggers[j] = t.toStdString(); }));
  }
  for (int r = 0; r < kRelayCount; ++r) {
    connect(Coil[r], &QLineEdit::textChanged, this,
            edited([this, r](const QString& t) { logic_.shown.coilNames[r] = t.toStdString(); }));
    connect(ControlOn[r], &QRadioButton::toggled, this, edited([this, r](bool on) { logic_.shown.on[r] = on; }));
    connect(ControlOff[r], &QRadioButton::toggled, this, edited([this, r](bool on) { logic_.shown.off[r] = on; }));
  }
  // After paging the first field of the new page has the focus.
  connect(BackButton, &QPushButton::clicked, this, [this] {
    logic_.PreviousState();
    dcba->setFocus(Qt::TabFocusReason);
  });
  connect(NextButton, &QPushButton::clicked, this, [this] {
    logic_.NextState();
    dcba->setFocus(Qt::TabFocusReason);
  });
  connect(ClearCom, &QPushButton::clicked, this, [this] {
    logic_.ClearTable();
    if (onEdited) onEdited();
  });
  // Load replaces the table, so unsaved changes are offered a save first.
  connect(LoadStates, &QPushButton::clicked, this, [this] {
    if (logic_.SaveChangesFirst() && logic_.OpenWithDialog() && onFileUsed) onFileUsed();
    if (onEdited) onEdited();
  });
  connect(SaveStates, &QPushButton::clicked, this, [this] {
    if (logic_.SaveWithDialog() && onFileUsed) onFileUsed();
    if (onEdited) onEdited();
  });
  connect(FinishButton, &QPushButton::clicked, this, [this] {
    logic_.ShowEquations();
    if (onEdited) onEdited();
  });
  connect(CircExt, &QPushButton::clicked, this, [this] {
    logic_.DrawCircuit();
    if (onEdited) onEdited();
  });
  connect(Cancel, &QPushButton::clicked, this, [this] {
    logic_.StoreStatePage();
    if (onLeave) onLeave();
    hide();
  });
  const auto shortcut = [this](QKeySequence keys, std::function<void()>* action) {
    auto* s = new QShortcut(keys, this);
    s->setContext(Qt::WindowShortcut);
    connect(s, &QShortcut::activated, this, [action] {
      if (*action) (*action)();
    });
  };
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), &onUndo);
  shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &onRedo);
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), &onRedo);
}

void EntryFormWindow::Repaint() {
  painting_ = true;
  const StatePage& page = logic_.shown;
  State->setText(Q(logic_.stateCaption));
  Frame2->setTitle(Q(logic_.targetsCaption));
  BackButton->setEnabled(logic_.backEnabled);
  NextButton->setEnabled(logic_.nextEnabled);
  dcba->setText(Q(page.code));
  autoCodes->setChecked(logic_.autoCodes);
  comment->setText(Q(page.comment));
  for (int j = 0; j < kSlotCount; ++j) {
    ToState[j]->clear();
    for (const auto& entry : logic_.targetLists[j]) ToState[j]->addItem(Q(entry));
    ToState[j]->setCurrentIndex(-1);
    ToState[j]->setEditText(Q(page.targets[j]));
    TransVar[j]->setText(Q(page.triggers[j]));
  }
  for (int r = 0; r < kRelayCount; ++r) {
    Coil[r]->setText(Q(page.coilNames[r]));
    // An exclusive group cannot show neither option; lift it while setting.
    pairs_[r]->setExclusive(false);
    ControlOn[r]->setChecked(page.on[r]);
    ControlOff[r]->setChecked(page.off[r]);
    pairs_[r]->setExclusive(true);
    SyncPairFocus(r);
  }
  // Why the automatic codes gave up stays in the hint line until the next flow.
  LabelHint->setText(Q(logic_.AutoCodesWhy()));
  painting_ = false;
}

void EntryFormWindow::EnsureCreated() {
  if (!closed_) return;
  closed_ = false;
  logic_.autoCodes = false;
  logic_.ShowStatePage();
}

void EntryFormWindow::ShowForm() {
  EnsureCreated();
  show();
  raise();
  activateWindow();
  dcba->setFocus(Qt::OtherFocusReason);
}

void EntryFormWindow::AddTips() {
  dcba->setToolTip(QStringLiteral("The state's code over D, C, B, A: four digits 0 or 1"));
  autoCodes->setToolTip(QStringLiteral("Let the program give every state a code"));
  comment->setToolTip(QStringLiteral("What the machine does in this state"));
  for (int j = 0; j < kSlotCount; ++j) {
    ToState[j]->setToolTip(QStringLiteral("The state this transition goes to"));
    TransVar[j]->setToolTip(
        QStringLiteral("The switches that trigger it: upper case closes when on (X1), lower case when off (x1); "
                       ". is and, + is or"));
  }
  for (int r = 0; r < kRelayCount; ++r) {
    Coil[r]->setToolTip(QStringLiteral("An output relay's name"));
    ControlOn[r]->setToolTip(QStringLiteral("The relay is ON in this state (arrows choose)"));
    ControlOff[r]->setToolTip(QStringLiteral("The relay is OFF in this state (arrows choose)"));
  }
  // The hint of a frame shows for the field that has the keyboard too.
  for (QGroupBox* frame : {Frame1, Frame11, Frame2, Frame3}) {
    for (QWidget* field : frame->findChildren<QWidget*>()) {
      if (field->focusPolicy() != Qt::NoFocus) field->installEventFilter(this);
    }
  }
}

const char* EntryFormWindow::HintOf(QObject* watched) const {
  const char* hint = watched == Frame1    ? EntryForm::kCodeHint
                     : watched == Frame2  ? EntryForm::kTransitionHint
                     : watched == Frame3  ? EntryForm::kRelayHint
                     : watched == Frame11 ? EntryForm::kAutoHint
                                          : nullptr;
  if (hint) return hint;
  auto* field = qobject_cast<QWidget*>(watched);
  for (QWidget* w = field ? field->parentWidget() : nullptr; w && w != this; w = w->parentWidget()) {
    if (w == Frame1 || w == Frame2 || w == Frame3 || w == Frame11) return HintOf(w);
  }
  return nullptr;
}

void EntryFormWindow::closeEvent(QCloseEvent* event) {
  // Esc and the close button keep the shown page, as paging does.
  logic_.StoreStatePage();
  closed_ = true;
  if (onLeave) onLeave();
  event->accept();
}

void EntryFormWindow::mouseMoveEvent(QMouseEvent* event) {
  LabelHint->setText(Q(logic_.AutoCodesWhy()));
  QWidget::mouseMoveEvent(event);
}

void EntryFormWindow::SyncPairFocus(int relay) {
  // One Tab stop per relay: the option chosen (ON when neither is).
  const bool onStops = ControlOn[relay]->isChecked() || !ControlOff[relay]->isChecked();
  ControlOn[relay]->setFocusPolicy(onStops ? Qt::StrongFocus : Qt::ClickFocus);
  ControlOff[relay]->setFocusPolicy(onStops ? Qt::ClickFocus : Qt::StrongFocus);
}

bool EntryFormWindow::PairKey(QObject* watched, QKeyEvent* key) {
  for (int r = 0; r < kRelayCount; ++r) {
    if (watched != ControlOn[r] && watched != ControlOff[r]) continue;
    QRadioButton* chosen = key->key() == Qt::Key_Left || key->key() == Qt::Key_Up      ? ControlOn[r]
                           : key->key() == Qt::Key_Right || key->key() == Qt::Key_Down ? ControlOff[r]
                                                                                       : nullptr;
    if (!chosen) return false;
    // The arrows choose, as in any group of options.
    chosen->setChecked(true);
    chosen->setFocus(Qt::OtherFocusReason);
    return true;
  }
  return false;
}

bool EntryFormWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && PairKey(watched, static_cast<QKeyEvent*>(event))) return true;
  if (event->type() == QEvent::FocusIn) {
    if (const char* hint = HintOf(watched)) LabelHint->setText(QString::fromUtf8(hint));
    return false;
  }
  if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
    if (const char* hint = qobject_cast<QGroupBox*>(watched) ? HintOf(watched) : nullptr) {
      LabelHint->setText(QString::fromUtf8(hint));
      // A move over a frame must not reach the form, which would empty the hint.
      return event->type() == QEvent::MouseMove;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kelvo
