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

  stateLabel = new QLabel;
  QFont big = stateLabel->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  stateLabel->setFont(big);
  layout->addWidget(stateLabel, 0, 0);

  codeFrame = new QGroupBox(QStringLiteral("DCBA Value"));
  codeBox = new FilteredLineEdit;
  codeBox->setMaxLength(32);
  codeBox->SetFilter(&EntryForm::AcceptsCodeKey, [this] { dialogs_.Beep(); });
  (new QHBoxLayout(codeFrame))->addWidget(codeBox);
  layout->addWidget(codeFrame, 0, 1);

  autoCodesFrame = new QGroupBox(QStringLiteral("DCBA Calc"));
  autoCodes = new QCheckBox(QStringLiteral("&Auto"));
  (new QHBoxLayout(autoCodesFrame))->addWidget(autoCodes);
  layout->addWidget(autoCodesFrame, 0, 2);

  auto* commentRow = new QHBoxLayout;
  auto* label1 = new QLabel(QStringLiteral("Co&mments:"));
  comment = new FilteredLineEdit;
  comment->setMaxLength(kMaxCommentCharacters);
  comment->SetFilter(&EntryForm::AcceptsTextKey, [this] { dialogs_.Beep(); });
  label1->setBuddy(comment);
  commentRow->addWidget(label1);
  commentRow->addWidget(comment, 1);
  layout->addLayout(commentRow, 1, 0, 1, 3);

  transitionsFrame = new QGroupBox;
  auto* transitions = new QGridLayout(transitionsFrame);
  for (int j = 0; j < kSlotCount; ++j) {
    targetBoxes[j] = new QComboBox;
    targetBoxes[j]->setEditable(true);
    targetBoxes[j]->setInsertPolicy(QComboBox::NoInsert);
    targetBoxes[j]->setMinimumContentsLength(6);
    conditionBoxes[j] = new FilteredLineEdit;
    conditionBoxes[j]->SetFilter(&EntryForm::AcceptsTriggerKey, [this] { dialogs_.Beep(); });
    transitions->addWidget(targetBoxes[j], j, 0);
    transitions->addWidget(new QLabel(QStringLiteral("Through :")), j, 1);
    transitions->addWidget(conditionBoxes[j], j, 2);
  }
  transitions->setColumnStretch(2, 1);
  layout->addWidget(transitionsFrame, 2, 0, 1, 3);

  relaysFrame = new QGroupBox(QStringLiteral("Machine State:"));
  auto* relays = new QGridLayout(relaysFrame);
  relays->addWidget(new QLabel(QStringLiteral("Name:")), 0, 0);
  relays->addWidget(new QLabel(QStringLiteral("State:")), 0, 1, 1, 4);
  for (int r = 0; r < kRelayCount; ++r) {
    relayNameBoxes[r] = new FilteredLineEdit;
    relayNameBoxes[r]->setMaxLength(kMaxRelayNameCharacters);
    relayNameBoxes[r]->SetFilter(&EntryForm::AcceptsTextKey, [this] { dialogs_.Beep(); });
    relayOnButtons[r] = new QRadioButton;
    relayOffButtons[r] = new QRadioButton;
    pairs_[r] = new QButtonGroup(this);
    pairs_[r]->addButton(relayOnButtons[r]);
    pairs_[r]->addButton(relayOffButtons[r]);
    relayOnButtons[r]->setAccessibleName(QStringLiteral("Relay %1 ON").arg(r + 1));
    relayOffButtons[r]->setAccessibleName(QStringLiteral("Relay %1 OFF").arg(r + 1));
    for (QRadioButton* b : {relayOnButtons[r], relayOffButtons[r]}) {
      b->installEventFilter(this);
      connect(b, &QRadioButton::toggled, this, [this, r] { SyncPairFocus(r); });
    }
    relays->addWidget(relayNameBoxes[r], r + 1, 0);
    relays->addWidget(new QLabel(QStringLiteral("ON:")), r + 1, 1);
    relays->addWidget(relayOnButtons[r], r + 1, 2);
    relays->addWidget(new QLabel(QStringLiteral("OFF:")), r + 1, 3);
    relays->addWidget(relayOffButtons[r], r + 1, 4);
  }
  relays->setColumnStretch(0, 1);
  layout->addWidget(relaysFrame, 3, 0, 1, 2);

  hintFrame = new QGroupBox(QStringLiteral("Hint:"));
  hintLabel = new QLabel;
  hintLabel->setWordWrap(true);
  hintLabel->setTextFormat(Qt::PlainText);
  hintLabel->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  hintLabel->setMinimumWidth(220);
  (new QVBoxLayout(hintFrame))->addWidget(hintLabel);
  layout->addWidget(hintFrame, 3, 2);

  auto* buttons = new QHBoxLayout;
  backButton = new QPushButton(QStringLiteral("<< &Back"));
  nextButton = new QPushButton(QStringLiteral("&Next >>"));
  clearFormButton = new QPushButton(QStringLiteral("C&lear Form"));
  loadButton = new QPushButton(QStringLiteral("L&oad"));
  saveButton = new QPushButton(QStringLiteral("&Save"));
  equationsButton = new QPushButton(QStringLiteral("&Equations"));
  circuitButton = new QPushButton(QStringLiteral("&Circuit"));
  cancelButton = new QPushButton(QStringLiteral("Cancel"));
  for (auto* b : {backButton, nextButton, clearFormButton, loadButton, saveButton, equationsButton, circuitButton,
                  cancelButton}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  layout->addLayout(buttons, 4, 0, 1, 3);

  for (QGroupBox* frame : {codeFrame, transitionsFrame, relaysFrame, autoCodesFrame, hintFrame}) {
    frame->setMouseTracking(true);
    frame->installEventFilter(this);
  }
  // Tab order follows the page from top to bottom.
  QWidget* order[] = {codeBox, autoCodes, comment};
  setTabOrder(order[0], order[1]);
  setTabOrder(order[1], order[2]);
  QWidget* previous = comment;
  for (int j = 0; j < kSlotCount; ++j) {
    setTabOrder(previous, targetBoxes[j]);
    setTabOrder(targetBoxes[j], conditionBoxes[j]);
    previous = conditionBoxes[j];
  }
  for (int r = 0; r < kRelayCount; ++r) {
    setTabOrder(previous, relayNameBoxes[r]);
    setTabOrder(relayNameBoxes[r], relayOnButtons[r]);
    setTabOrder(relayOnButtons[r], relayOffButtons[r]);
    previous = relayOffButtons[r];
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
  connect(codeBox, &QLineEdit::textChanged, this,
          edited([this](const QString& t) { logic_.shown.code = t.toStdString(); }));
  connect(comment, &QLineEdit::textChanged, this,
          edited([this](const QString& t) { logic_.shown.comment = t.toStdString(); }));
  connect(autoCodes, &QCheckBox::toggled, this, edited([this](bool on) { logic_.autoCodes = on; }));
  for (int j = 0; j < kSlotCount; ++j) {
    connect(targetBoxes[j], &QComboBox::currentTextChanged, this,
            edited([this, j](const QString& t) { logic_.shown.targets[j] = t.toStdString(); }));
    connect(conditionBoxes[j], &QLineEdit::textChanged, this,
            edited([this, j](const QString& t) { logic_.shown.triggers[j] = t.toStdString(); }));
  }
  for (int r = 0; r < kRelayCount; ++r) {
    connect(relayNameBoxes[r], &QLineEdit::textChanged, this,
            edited([this, r](const QString& t) { logic_.shown.coilNames[r] = t.toStdString(); }));
    connect(relayOnButtons[r], &QRadioButton::toggled, this, edited([this, r](bool on) { logic_.shown.on[r] = on; }));
    connect(relayOffButtons[r], &QRadioButton::toggled, this, edited([this, r](bool on) { logic_.shown.off[r] = on; }));
  }
  // After paging the first field of the new page has the focus.
  connect(backButton, &QPushButton::clicked, this, [this] {
    logic_.PreviousState();
    codeBox->setFocus(Qt::TabFocusReason);
  });
  connect(nextButton, &QPushButton::clicked, this, [this] {
    logic_.NextState();
    codeBox->setFocus(Qt::TabFocusReason);
  });
  connect(clearFormButton, &QPushButton::clicked, this, [this] {
    logic_.ClearTable();
    if (onEdited) onEdited();
  });
  // Load replaces the table, so unsaved changes are offered a save first.
  connect(loadButton, &QPushButton::clicked, this, [this] {
    if (logic_.SaveChangesFirst() && logic_.OpenWithDialog() && onFileUsed) onFileUsed();
    if (onEdited) onEdited();
  });
  connect(saveButton, &QPushButton::clicked, this, [this] {
    if (logic_.SaveWithDialog() && onFileUsed) onFileUsed();
    if (onEdited) onEdited();
  });
  connect(equationsButton, &QPushButton::clicked, this, [this] {
    logic_.ShowEquations();
    if (onEdited) onEdited();
  });
  connect(circuitButton, &QPushButton::clicked, this, [this] {
    logic_.DrawCircuit();
    if (onEdited) onEdited();
  });
  connect(cancelButton, &QPushButton::clicked, this, [this] {
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
  stateLabel->setText(Q(logic_.stateCaption));
  transitionsFrame->setTitle(Q(logic_.targetsCaption));
  backButton->setEnabled(logic_.backEnabled);
  nextButton->setEnabled(logic_.nextEnabled);
  codeBox->setText(Q(page.code));
  autoCodes->setChecked(logic_.autoCodes);
  comment->setText(Q(page.comment));
  for (int j = 0; j < kSlotCount; ++j) {
    targetBoxes[j]->clear();
    for (const auto& entry : logic_.targetLists[j]) targetBoxes[j]->addItem(Q(entry));
    targetBoxes[j]->setCurrentIndex(-1);
    targetBoxes[j]->setEditText(Q(page.targets[j]));
    conditionBoxes[j]->setText(Q(page.triggers[j]));
  }
  for (int r = 0; r < kRelayCount; ++r) {
    relayNameBoxes[r]->setText(Q(page.coilNames[r]));
    // An exclusive group cannot show neither option; lift it while setting.
    pairs_[r]->setExclusive(false);
    relayOnButtons[r]->setChecked(page.on[r]);
    relayOffButtons[r]->setChecked(page.off[r]);
    pairs_[r]->setExclusive(true);
    SyncPairFocus(r);
  }
  // Why the automatic codes gave up stays in the hint line until the next flow.
  hintLabel->setText(Q(logic_.AutoCodesWhy()));
  painting_ = false;
}

void EntryFormWindow::RebuildIfClosed() {
  if (!closed_) return;
  closed_ = false;
  logic_.autoCodes = false;
  logic_.ShowStatePage();
}

void EntryFormWindow::ShowForm() {
  RebuildIfClosed();
  show();
  raise();
  activateWindow();
  codeBox->setFocus(Qt::OtherFocusReason);
}

void EntryFormWindow::AddTips() {
  codeBox->setToolTip(QStringLiteral("The state's code over D, C, B, A: four digits 0 or 1"));
  autoCodes->setToolTip(QStringLiteral("Let the program give every state a code"));
  comment->setToolTip(QStringLiteral("What the machine does in this state"));
  for (int j = 0; j < kSlotCount; ++j) {
    targetBoxes[j]->setToolTip(QStringLiteral("The state this transition goes to"));
    conditionBoxes[j]->setToolTip(
        QStringLiteral("The switches that trigger it: upper case closes when on (X1), lower case when off (x1); "
                       ". is and, + is or"));
  }
  for (int r = 0; r < kRelayCount; ++r) {
    relayNameBoxes[r]->setToolTip(QStringLiteral("An output relay's name"));
    relayOnButtons[r]->setToolTip(QStringLiteral("The relay is ON in this state (arrows choose)"));
    relayOffButtons[r]->setToolTip(QStringLiteral("The relay is OFF in this state (arrows choose)"));
  }
  // The hint of a frame shows for the field that has the keyboard too.
  for (QGroupBox* frame : {codeFrame, autoCodesFrame, transitionsFrame, relaysFrame}) {
    for (QWidget* field : frame->findChildren<QWidget*>()) {
      if (field->focusPolicy() != Qt::NoFocus) field->installEventFilter(this);
    }
  }
}

const char* EntryFormWindow::HintOf(QObject* watched) const {
  const char* hint = watched == codeFrame          ? EntryForm::kCodeHint
                     : watched == transitionsFrame ? EntryForm::kTransitionHint
                     : watched == relaysFrame      ? EntryForm::kRelayHint
                     : watched == autoCodesFrame   ? EntryForm::kAutoHint
                                                   : nullptr;
  if (hint) return hint;
  auto* field = qobject_cast<QWidget*>(watched);
  for (QWidget* w = field ? field->parentWidget() : nullptr; w && w != this; w = w->parentWidget()) {
    if (w == codeFrame || w == transitionsFrame || w == relaysFrame || w == autoCodesFrame) return HintOf(w);
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
  hintLabel->setText(Q(logic_.AutoCodesWhy()));
  QWidget::mouseMoveEvent(event);
}

void EntryFormWindow::SyncPairFocus(int relay) {
  // One Tab stop per relay: the option chosen (ON when neither is).
  const bool onStops = relayOnButtons[relay]->isChecked() || !relayOffButtons[relay]->isChecked();
  relayOnButtons[relay]->setFocusPolicy(onStops ? Qt::StrongFocus : Qt::ClickFocus);
  relayOffButtons[relay]->setFocusPolicy(onStops ? Qt::ClickFocus : Qt::StrongFocus);
}

bool EntryFormWindow::PairKey(QObject* watched, QKeyEvent* key) {
  for (int r = 0; r < kRelayCount; ++r) {
    if (watched != relayOnButtons[r] && watched != relayOffButtons[r]) continue;
    QRadioButton* chosen = key->key() == Qt::Key_Left || key->key() == Qt::Key_Up      ? relayOnButtons[r]
                           : key->key() == Qt::Key_Right || key->key() == Qt::Key_Down ? relayOffButtons[r]
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
    if (const char* hint = HintOf(watched)) hintLabel->setText(QString::fromUtf8(hint));
    return false;
  }
  if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
    if (const char* hint = qobject_cast<QGroupBox*>(watched) ? HintOf(watched) : nullptr) {
      hintLabel->setText(QString::fromUtf8(hint));
      // A move over a frame must not reach the form, which would empty the hint.
      return event->type() == QEvent::MouseMove;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kelvo
