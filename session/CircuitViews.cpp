#include "session/CircuitViews.h"

#include <algorithm>
#include <limits>

#include "common/PictureBounds.h"
#include "equations/ExpressionText.h"
#include "ladder/SumLayout.h"
#include "ladder/TwoPartLayout.h"

namespace kelvo {
namespace {

struct ViewRange {
  int first;
  int last;
};

// The slots each view draws; the relay view runs up to slot 14, which is
// never built and so never drawn.
ViewRange RangeOf(ViewButton button) {
  switch (button) {
    case ViewButton::ShowA:
      return {0, 0};
    case ViewButton::ShowB:
      return {1, 1};
    case ViewButton::ShowC:
      return {2, 2};
    case ViewButton::ShowD:
      return {3, 3};
    case ViewButton::ShowAll:
      return {0, 3};
    case ViewButton::MachineState:
      return {kFirstRelaySlot, kMainLengthSlots - 1};
  }
  return {0, 0};
}

// Takes the drawing's measure: paints nothing, but notes how far right the
// drawing reaches and whether it painted anything at all.
class MeasuringCanvas : public Canvas {
public:
  void Clear() override {}
  void PaintTile(int, int x, int) override {
    right = std::max(right, x + kTileTwips);
    ++painted;
  }
  void SetTextColor(Rgb) override {}
  void SetTextPosition(int x, int) override { textX_ = x; }
  void PrintText(const std::string& text) override { right = std::max(right, textX_ + LabelWidth(text)); }

  int right = 0;
  int painted = 0;

private:
  int textX_ = 0;
};

std::string EmptyViewText(ViewButton button) {
  switch (button) {
    case ViewButton::ShowA:
    case ViewButton::ShowB:
    case ViewButton::ShowC:
    case ViewButton::ShowD: {
      const char variable = static_cast<char>('A' + static_cast<int>(button) - static_cast<int>(ViewButton::ShowA));
      return std::string("No transition changes ") + variable + ": it needs no circuit.";
    }
    case ViewButton::MachineState:
      return "No output relays are named in this table.";
    case ViewButton::ShowAll:
      return "No transition changes a state variable: there is no circuit to draw.";
  }
  return {};
}

}  // namespace

const char* ViewButtonName(ViewButton button) {
  switch (button) {
    case ViewButton::ShowAll:
      return "ShowAll";
    case ViewButton::ShowA:
      return "ShowA";
    case ViewButton::ShowB:
      return "ShowB";
    case ViewButton::ShowC:
      return "ShowC";
    case ViewButton::ShowD:
      return "ShowD";
    case ViewButton::MachineState:
      return "ShowSC";
  }
  return "";
}

const char* ViewCaption(ViewButton button) {
  switch (button) {
    case ViewButton::ShowAll:
      return "Show All";
    case ViewButton::ShowA:
      return "A";
    case ViewButton::ShowB:
      return "B";
    case ViewButton::ShowC:
      return "C";
    case ViewButton::ShowD:
      return "D";
    case ViewButton::MachineState:
      return "Machine State";
  }
  return "";
}

CircuitViews::CircuitViews(LadderGrid& grid, const EquationSet& equations, Canvas& canvas, UserDialogs& dialogs,
                           Document& document)
    : grid_(grid), equations_(equations), canvas_(canvas), dialogs_(dialogs), document_(document) {}

const std::vector<std::string>& CircuitViews::DrawCircuits() {
  BuildLayouts();  // the view drawn next starts on a clear canvas
  grid_.StateView = true;
  ShowAll();
  if (!problems_.empty()) dialogs_.Notify(Join(problems_, "\n"));
  return problems_;
}

void CircuitViews::Show(ViewButton button) {
  DrawWithoutEdits(button);
  PaintShownEdits();
}

void CircuitViews::PaintShownEdits() { PaintHandEdits(document_.EditsOf(ShownKey()), canvas_); }

void CircuitViews::Redraw() {
  if (current_) {
    Show(*current_);
  } else {
    canvas_.Clear();
    PaintShownEdits();
  }
}

ViewKey CircuitViews::ShownKey() const {
  if (!current_) return ViewKey{.noCircuit = true};
  // The relay circuits are drawn alike in both forms.
  return ViewKey{*current_, *current_ != ViewButton::MachineState && shownParallel_};
}

bool CircuitViews::AddHandEdit(HandEdit edit, const std::string& what) {
  if (!document_.AddHandEdit(ShownKey(), edit, what)) {
    dialogs_.Notify("This view holds " + std::to_string(kMaxHandEditsPerView) +
                    " hand edits, as many as it can. Export it, or undo some first.");
    return false;
  }
  PaintHandEdits({std::move(edit)}, canvas_);
  return true;
}

void CircuitViews::ExtendStroke(HandEditBox box) {
  const ViewKey key = ShownKey();
  const auto& edits = document_.EditsOf(key);
  const size_t before = edits.empty() ? 0 : edits.back().boxes.size();
  document_.ExtendStroke(key, box);
  if (document_.EditsOf(key).empty() || document_.EditsOf(key).back().boxes.size() == before) return;
  PaintHandEdits({HandEdit::Rub(box)}, canvas_);
}

void CircuitViews::MarkExported() { document_.MarkExported(ShownKey()); }

void CircuitViews::DrawWithoutEdits(ViewButton button) {
  // A view too wide for the canvas is wiped by the fallback as soon as it is
  // drawn, so it is measured first and painted only when it stays; the
  // fallback clears the canvas for circuit A itself.
  MeasuringCanvas measure;
  const DrawOutcome outcome = DrawView(button, measure);
  if (outcome == DrawOutcome::Complete || button == ViewButton::ShowA) canvas_.Clear();
  // The relay view is never given up: the picture grows to the right, up to
  // the largest picture; past that it is cut off at the edge.
  std::string tooLarge;
  if (button == ViewButton::MachineState && measure.right > kCanvasWidthTwips) {
    const double width = double(measure.right) / kTwipsPerPixel, height = double(kCanvasHeightTwips) / kTwipsPerPixel;
    if (PictureFits(width, height)) {
      canvas_.ExtendWidth(measure.right - kCanvasWidthTwips);
    } else {
      tooLarge = PictureTooLarge(width, height) + " The relay view is cut off at the right edge.";
    }
  }
  places_.clear();
  shownParallel_ = parallelForm;
  if (outcome == DrawOutcome::Complete || button == ViewButton::ShowA) DrawView(button, canvas_, &places_);
  if (outcome == DrawOutcome::TooWide) {
    // Circuit A alone on a fresh canvas. When A itself is too wide it stays
    // as drawn, cut off at the canvas edge.
    if (button != ViewButton::ShowA) DrawWithoutEdits(ViewButton::ShowA);
    SetAllEnabled(true);
    enabled_[static_cast<int>(ViewButton::ShowAll)] = false;
  } else {
    SetAllEnabled(true);
  }
  InsertPointSet = false;
  current_ = outcome == DrawOutcome::TooWide ? ViewButton::ShowA : button;
  viewNote_ = tooLarge;
  if (outcome == DrawOutcome::TooWide && button == ViewButton::ShowAll) {
    viewNote_ = "Show All is too wide for the canvas; showing A. Use A, B, C, D";
  }
  emptyView_ = outcome == DrawOutcome::Complete && measure.painted == 0 ? EmptyViewText(button) : std::string();
}

void CircuitViews::BuildLayouts() {
  problems_.clear();
  ParseTwoPartEquations(equations_, grid_, problems_);
  BuildTwoPartTiles(grid_, problems_);
  ParseSumEquations(equations_, grid_, problems_);
  BuildSumTiles(grid_, problems_);
  mended_ = MendLayouts(equations_, grid_);
  hasCircuit_ = true;
}

std::vector<std::string> CircuitViews::DrawingNotes() const {
  std::vector<std::string> notes;
  for (const CircuitMend& m : mended_) notes.push_back(m.text);
  notes.insert(notes.end(), problems_.begin(), problems_.end());
  return notes;
}

DrawOutcome CircuitViews::DrawView(ViewButton button, Canvas& canvas, std::vector<CircuitPlace>* places) {
  const ViewRange range = RangeOf(button);
  grid_.FirstCircuit = range.first;
  grid_.LastCircuit = range.last;
  if (button == ViewButton::MachineState) {
    grid_.StateView = false;
    return DrawSumCircuits(grid_, equations_, canvas, std::numeric_limits<int>::max(), places);
  }
  if (parallelForm) {
    grid_.StateView = true;
    return DrawSumCircuits(grid_, equations_, canvas, kWidestDrawing, places);
  }
  return DrawTwoPartCircuits(grid_, canvas, places);
}

void CircuitViews::Withdraw() {
  canvas_.Clear();
  InsertPointSet = false;
  hasCircuit_ = false;
  PaintHandEdits(document_.EditsOf(ShownKey()), canvas_);
  grid_ = LadderGrid{};
  problems_.clear();
  mended_.clear();
  SetAllEnabled(false);
  current_.reset();
  viewNote_.clear();
  emptyView_.clear();
  places_.clear();
}

void CircuitViews::SetAllEnabled(bool enabled) { enabled_.fill(enabled); }

}  // namespace kelvo
