#pragma once
// The main window's choice of the circuit shown. DrawCircuits lays out a new set
// of equations and shows all four state-variable circuits; the six view
// handlers redraw the canvas with one view: a single state-variable circuit,
// all four side by side, or the output-relay ("Machine State") circuits.
// "Parallel Form" picks the multiplied-out grids over the two-part ones.
//
// Each view is drawn with its own hand edits painted over it (kept in the
// document), so changing views loses nothing. A view too wide for the canvas
// gives way to circuit A alone.
// The window mirrors the buttons' enabled flags and the current-view mark.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/LayoutMend.h"
#include "common/UserDialogs.h"
#include "equations/EquationSet.h"
#include "ladder/Canvas.h"
#include "ladder/GridDrawing.h"
#include "ladder/LadderGrid.h"
#include "session/Document.h"
#include "session/ViewButton.h"

namespace kelvo {

inline constexpr const char* kDataLossTitle = "Possible Data Loss";
inline constexpr const char* kDataLossQuestion =
    "Some changes have been detected. Continuing without exporting could cause Data Loss. "
    "Do you want to continue ?";

class CircuitViews {
public:
  CircuitViews(LadderGrid& grid, const EquationSet& equations, Canvas& canvas, UserDialogs& dialogs,
               Document& document);

  // Lays out the equations and shows "Show All". Layout problems (a circuit
  // cut to fit) are shown in one notice after drawing and returned.
  const std::vector<std::string>& DrawCircuits();

  void ShowA() { Show(ViewButton::ShowA); }
  void ShowB() { Show(ViewButton::ShowB); }
  void ShowC() { Show(ViewButton::ShowC); }
  void ShowD() { Show(ViewButton::ShowD); }
  void ShowAll() { Show(ViewButton::ShowAll); }
  void ShowMachineState() { Show(ViewButton::MachineState); }
  void Show(ViewButton button);
  // The view shown drawn again, with its hand edits as the document holds them.
  void Redraw();
  // The circuits are no longer those of the open table: the canvas is cleared,
  // the grids emptied and every view button disabled. The hand edits stay in
  // the document.
  void Withdraw();

  // The view shown and its form, as its hand edits are kept.
  ViewKey ShownKey() const;
  // Paints the hand edits of the view shown over the canvas (after a picture
  // was imported onto it).
  void PaintShownEdits();
  // A hand edit of the view shown, painted at once. False (and a notice) when
  // the view holds as many edits as it may.
  bool AddHandEdit(HandEdit edit, const std::string& what);
  // One more square of the stroke being rubbed on the view shown.
  void ExtendStroke(HandEditBox box);
  // The view shown was written to a picture file.
  void MarkExported();
  // A circuit of the open table is laid out.
  bool HasCircuit() const { return hasCircuit_; }

  bool Enabled(ViewButton button) const { return enabled_[static_cast<int>(button)]; }
  // The marked (underlined) view; none before the first drawing.
  std::optional<ViewButton> Current() const { return current_; }
  const std::vector<std::string>& Problems() const { return problems_; }
  // The circuits of the last DrawCircuits that were laid out or drawn other than
  // the plain rules give, and why.
  const std::vector<CircuitMend>& Mended() const { return mended_; }
  // What the student is told below the drawing: the mends, then the circuits
  // cut to fit the grids. Empty when every circuit is drawn as laid out.
  std::vector<std::string> DrawingNotes() const;
  // One line about the view shown when it is not the one asked for ("Show
  // All is too wide for the canvas; showing A. ...").
  const std::string& ViewNote() const { return viewNote_; }
  // Why the view shown is empty ("No transition changes C: it needs no
  // circuit."); empty when it shows a circuit.
  const std::string& EmptyView() const { return emptyView_; }
  // Where each circuit of the view shown was drawn.
  const std::vector<CircuitPlace>& Places() const { return places_; }
  // Whether the view shown draws the state variables in multiplied-out form.
  bool ShownParallel() const { return shownParallel_; }

  // A text insertion point is chosen; a redraw forgets it.
  bool InsertPointSet = false;
  // "Parallel Form" ticked: state-variable circuits in multiplied-out form.
  bool parallelForm = false;

private:
  void DrawWithoutEdits(ViewButton button);
  void BuildLayouts();
  DrawOutcome DrawView(ViewButton button, Canvas& canvas, std::vector<CircuitPlace>* places = nullptr);
  void SetAllEnabled(bool enabled);

  LadderGrid& grid_;
  const EquationSet& equations_;
  Canvas& canvas_;
  UserDialogs& dialogs_;
  Document& document_;
  std::array<bool, kViewButtons> enabled_{};
  std::optional<ViewButton> current_;
  std::vector<std::string> problems_;
  std::vector<CircuitMend> mended_;
  bool hasCircuit_ = false;
  std::string viewNote_;
  std::string emptyView_;
  std::vector<CircuitPlace> places_;
  bool shownParallel_ = false;
};

}  // namespace kelvo
