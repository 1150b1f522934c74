#pragma once
// The main window's "State Diagram" menu and the windows of the state entry
// form: the form itself (made on first use, the main window disabled while it
// is up), "New Form", the equation view at the end of "Equations", and the
// hand-over when "Circuit" draws. The entry form's logic (session) runs the
// form; this controller shows it and brings the main window back.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <memory>

#include "equations/EquationView.h"
#include "ui/EntryFormWindow.h"
#include "ui/EquationWindow.h"

namespace kelvo {

class MainWindow;

class FormCommands {
public:
  explicit FormCommands(MainWindow& window) : window_(window) {}

  // The State Diagram menu, after the Edit menu.
  void BuildMenu(QMenuBar* bar);

  // "State Diagram > Form" and "New Form".
  void ShowForm();
  void NewTable();
  // The entry form at the page of `state` (a click on its bubble).
  void OpenAt(int state);
  // The entry form's window, made on first use.
  EntryFormWindow& FormWindow();
  // A form closed from its title bar drops its unstored edits: it is made
  // again from the table, so only edits that count are weighed or saved.
  void RebuildClosedForm();
  // The end of "Equations" on the form.
  void ShowEquations(const EquationViewTexts& texts);
  // "Circuit" hands over: the main window comes back before the circuits are drawn.
  void HandOverCircuit();

  std::unique_ptr<EntryFormWindow> formWindow;
  std::unique_ptr<EquationWindow> equationWindow;
  QMenu* menu{};
  QAction *formAction{}, *newTableAction{}, *showDiagramAction{};

private:
  // The form closed or cancelled: the main window is in charge again.
  void LeaveForm();

  MainWindow& window_;
};

}  // namespace kelvo
