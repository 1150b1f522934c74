#include "ui/FormCommands.h"

#include "ui/MainWindow.h"
#include "ui/WindowKeys.h"
#include "ui/WindowPlaces.h"

namespace kelvo {

void FormCommands::BuildMenu(QMenuBar* bar) {
  MainWindow* w = &window_;
  menu = bar->addMenu(QStringLiteral("&State Diagram"));
  formAction = menu->addAction(QStringLiteral("&Form"), QKeySequence(Qt::CTRL | Qt::Key_F), w, [this] { ShowForm(); });
  newTableAction =
      menu->addAction(QStringLiteral("&New Form"), QKeySequence(Qt::CTRL | Qt::Key_N), w, [this] { NewTable(); });
  showDiagramAction = menu->addAction(QStringLiteral("Show &Diagram"), QKeySequence(Qt::CTRL | Qt::Key_D), w,
                                      [w] { w->machineWindows.ShowDiagram(); });
}

EntryFormWindow& FormCommands::FormWindow() {
  // The form's widgets are made when it is first shown; its table and logic
  // exist from start-up on.
  if (!formWindow) {
    MainWindow& w = window_;
    formWindow = std::make_unique<EntryFormWindow>(*w.entryForm, w.Dialogs());
    formWindow->setWindowIcon(w.windowIcon());
    RememberPlace(formWindow.get(), QStringLiteral("form"));
    formWindow->onLeave = [this] { LeaveForm(); };
    formWindow->onEdited = [this] {
      window_.UpdateTitle();
      window_.viewControls.SyncStatus();
    };
    formWindow->onUndo = [this] { window_.Undo(); };
    formWindow->onRedo = [this] { window_.Redo(); };
    formWindow->onFileUsed = [this] { window_.fileCommands.RememberRecent(window_.entryForm->documentPath(), true); };
    StayAbove(formWindow.get(), &w);
  }
  return *formWindow;
}

void FormCommands::RebuildClosedForm() {
  if (formWindow) formWindow->RebuildIfClosed();
}

void FormCommands::ShowEquations(const EquationViewTexts& texts) {
  if (!equationWindow) {
    MainWindow& w = window_;
    equationWindow = std::make_unique<EquationWindow>();
    equationWindow->setWindowIcon(w.windowIcon());
    RememberPlace(equationWindow.get(), QStringLiteral("equations"), &w);
    StayAbove(equationWindow.get(), &w);
  }
  equationWindow->ShowTexts(texts);
  equationWindow->show();
  equationWindow->raise();
}

void FormCommands::HandOverCircuit() {
  menu->menuAction()->setEnabled(true);
  window_.setEnabled(true);
  if (formWindow) formWindow->hide();
}

void FormCommands::OpenAt(int state) {
  EntryForm* form = window_.entryForm;
  if (!form || !IsValidState(state)) return;
  RebuildClosedForm();
  form->StoreStatePage();
  window_.shownState = state;
  form->ShowStatePage();
  ShowForm();
}

void FormCommands::LeaveForm() {
  RebuildClosedForm();  // a closed form drops its unstored edits
  window_.setEnabled(true);
  menu->menuAction()->setEnabled(true);
  window_.UpdateTitle();
}

void FormCommands::ShowForm() {
  if (!window_.entryForm) return;
  menu->menuAction()->setEnabled(false);
  window_.setEnabled(false);
  FormWindow().ShowForm();
  newTableAction->setEnabled(true);
}

void FormCommands::NewTable() {
  MainWindow& w = window_;
  if (!w.entryForm || !w.fileCommands.MayReplaceDocument()) return;
  w.shownState = 0;
  w.setEnabled(false);
  FormWindow().ShowForm();
  w.entryForm->NewDocument();
  w.session.CircuitNotDrawn();  // the new table has no circuit yet
  w.UpdateTitle();
  w.machineWindows.RefreshDiagram();
}

}  // namespace kelvo
