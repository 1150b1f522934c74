#pragma once
// The state entry form "States Input Form": its widgets mapped onto the entry
// form's logic (EntryForm). Edits go straight into the logic's shown page; the
// logic's repaint fills the widgets back. Not a child of the main window, so
// it stays usable while the main window is disabled.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <functional>

#include "session/EntryForm.h"
#include "ui/FilteredLineEdit.h"

namespace kelvo {

class EntryFormWindow : public QWidget {
  Q_OBJECT
public:
  EntryFormWindow(EntryForm& logic, UserDialogs& dialogs);

  // Called when the form is left by "Cancel" or by closing its window: the
  // main window and its "State Diagram" menu are enabled again.
  std::function<void()> onLeave;
  // Called after the table may have changed (an edit, a command of the form),
  // and after the form's Load or Save used a file.
  std::function<void()> onEdited;
  std::function<void()> onFileUsed;
  // Ctrl+Z and Ctrl+Shift+Z (or Ctrl+Y) outside a text box, which undoes its own typing.
  std::function<void()> onUndo;
  std::function<void()> onRedo;

  // After the window was closed the form is built afresh from the table
  // ("Auto" unticked, the page of the current state) before its next use.
  void RebuildIfClosed();
  void ShowForm();

  QLabel* stateLabel{};
  QGroupBox *codeFrame{}, *autoCodesFrame{}, *transitionsFrame{}, *relaysFrame{}, *hintFrame{};
  FilteredLineEdit* codeBox{};
  QCheckBox* autoCodes{};
  FilteredLineEdit* comment{};
  std::array<QComboBox*, kSlotCount> targetBoxes{};
  std::array<FilteredLineEdit*, kSlotCount> conditionBoxes{};
  std::array<FilteredLineEdit*, kRelayCount> relayNameBoxes{};
  std::array<QRadioButton*, kRelayCount> relayOnButtons{}, relayOffButtons{};
  QLabel* hintLabel{};
  QPushButton *backButton{}, *nextButton{}, *clearFormButton{}, *loadButton{}, *saveButton{}, *equationsButton{},
      *circuitButton{}, *cancelButton{};

protected:
  void closeEvent(QCloseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void BuildWidgets();
  void Connect();
  void Repaint();
  void SyncPairFocus(int relay);
  void AddTips();
  // The hint of the frame `watched` is, or holds.
  const char* HintOf(QObject* watched) const;
  bool PairKey(QObject* watched, QKeyEvent* key);

  EntryForm& logic_;
  UserDialogs& dialogs_;
  std::array<QButtonGroup*, kRelayCount> pairs_{};
  bool painting_ = false;
  bool closed_ = false;
};

}  // namespace kelvo
