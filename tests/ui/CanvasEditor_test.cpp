#include "ui/CanvasEditor.h"

#include <gtest/gtest.h>

#include "support/ScriptedDialogs.h"

namespace kelvo {
namespace {

using testing::ScriptedDialogs;

struct Editing {
  TileImages tiles;
  ImageCanvas canvas;
  LadderGrid grid;
  EquationSet equations;
  ScriptedDialogs dialogs;
  Document document;
  CircuitViews views{grid, equations, canvas, dialogs, document};
  CanvasEditor editor{canvas, views, tiles, dialogs};
  const std::vector<HandEdit>& Edits() const { return document.EditsOf(views.ShownKey()); }
  Editing() {
    EXPECT_TRUE(tiles.LoadAll({QStringLiteral(KELVO_SOURCE_DIR "/Bitmaps")}));
    canvas.SetTiles(tiles.Images());
  }
  void PlaceMode(int slot) {
    EXPECT_TRUE(editor.ToggleAddComponent());
    editor.PickerOpened();
    editor.ComponentChosen(slot);
    editor.PickerClosed(false);
  }
};

bool SameRegion(const QImage& a, int ax, int ay, const QImage& b) {
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x)
      if (a.pixel(ax + x, ay + y) != b.pixel(x, y)) return false;
  return true;
}

TEST(CanvasEditor, StampingPutsTheTileExactlyAtThePointer) {
  Editing e;
  e.PlaceMode(8);
  EXPECT_TRUE(e.editor.placing);
  EXPECT_EQ(e.editor.componentSlot, 8);
  EXPECT_FALSE(e.editor.addComponentUnderlined);

  e.editor.PointerMoved(false, 1500, 750);
  EXPECT_EQ(e.editor.pointerText, QStringLiteral("1500 , 750"));
  // The preview is on the screen only.
  const QImage blank = e.canvas.Image().copy();
  EXPECT_EQ(e.canvas.Image(), blank);
  EXPECT_TRUE(SameRegion(e.editor.ScreenImage(), 100, 50, e.tiles.Image(8)));

  for (int x : {1500, 3000, 4500}) {
    e.editor.PointerMoved(false, x, 750);
    e.editor.Clicked();
  }
  for (int px : {100, 200, 300}) EXPECT_TRUE(SameRegion(e.canvas.Image(), px, 50, e.tiles.Image(8))) << px;
  EXPECT_EQ(e.Edits().size(), 3u);
  EXPECT_EQ(e.Edits()[2], HandEdit::Stamp(8, 4500, 750));
  EXPECT_EQ(e.document.UndoText(), "Stamp");
  EXPECT_TRUE(e.editor.placing);  // still placing

  // The picture as exported holds the three stamps and nothing of the preview.
  e.editor.PointerMoved(false, 6000, 3000);
  EXPECT_TRUE(SameRegion(e.editor.ScreenImage(), 400, 200, e.tiles.Image(8)));
  EXPECT_EQ(e.canvas.Image().pixel(412, 205), qRgb(255, 255, 255));

  // "Add Component" again ends placement; a title-bar close leaves it off.
  EXPECT_FALSE(e.editor.ToggleAddComponent());
  EXPECT_FALSE(e.editor.placing);
  EXPECT_TRUE(e.editor.ToggleAddComponent());
  e.editor.PickerOpened();
  e.editor.PickerClosed(true);
  EXPECT_FALSE(e.editor.placing);
  EXPECT_EQ(e.editor.componentSlot, -1);
}

TEST(CanvasEditor, ExclusiveOrFiguresDrawnTwiceRestoreEveryPixel) {
  Editing e;
  e.canvas.PaintTile(6, 1500, 750);
  QImage image = e.canvas.Image().copy();
  const QImage before = image.copy();
  for (bool rubber : {false, true}) {
    CanvasEditor::XorCrosshair(image, 1515, 795, rubber);
    EXPECT_NE(image, before);
    EXPECT_EQ(image.pixel(0, 53), qRgb(0, 255, 255));  // red on white gives cyan
    CanvasEditor::XorCrosshair(image, 1515, 795, rubber);
    EXPECT_EQ(image, before);
  }
  CanvasEditor::XorMarker(image, 1500, 750);
  EXPECT_EQ(image.pixel(110, 50), qRgb(255, 0, 255));
  CanvasEditor::XorMarker(image, 1500, 750);
  EXPECT_EQ(image, before);

  // Moving the pointer never touches the picture.
  e.editor.PointerMoved(false, 3000, 3000);
  e.editor.PointerMoved(false, 3015, 3000);
  EXPECT_TRUE(e.editor.crosshairShown);
  EXPECT_EQ(e.canvas.Image(), before);
  // The screen shows the crosshair; the picture under it stays as it was.
  EXPECT_NE(e.editor.ScreenImage(), before);
  EXPECT_EQ(e.canvas.Image(), before);
  e.editor.LeaveCanvas();
  EXPECT_FALSE(e.editor.crosshairShown);
  EXPECT_EQ(e.editor.pointerText, QStringLiteral("-"));
  EXPECT_EQ(e.editor.ScreenImage(), before);
}

TEST(CanvasEditor, RubberErasesOneSquarePerRelease) {
  Editing e;
  e.canvas.FillBox(0, 0, kCanvasWidthTwips, kCanvasHeightTwips, {0, 0, 0});
  e.editor.SetRubberMode(true);
  e.editor.PointerMoved(false, 1500, 1500);
  e.editor.Clicked();  // no insertion point in rubber mode
  EXPECT_FALSE(e.views.InsertPointSet);
  e.editor.PointerReleased(true, 1500, 1500);
  EXPECT_EQ(e.Edits().size(), 1u);
  int white = 0;
  for (int y = 0; y < e.canvas.Image().height(); ++y)
    for (int x = 0; x < e.canvas.Image().width(); ++x) white += e.canvas.Image().pixel(x, y) == qRgb(255, 255, 255);
  EXPECT_EQ(white, 13 * 13);  // 180 twips and both edges: 94..106 in pixels
  EXPECT_EQ(e.canvas.Image().pixel(100, 100), qRgb(255, 255, 255));
  EXPECT_EQ(e.canvas.Image().pixel(107, 100), qRgb(0, 0, 0));

  // Dragging with the left button erases a trail.
  e.editor.PointerMoved(true, 3000, 1500);
  e.editor.PointerMoved(true, 3300, 1500);
  EXPECT_EQ(e.canvas.Image().pixel(200, 100), qRgb(255, 255, 255));
  EXPECT_EQ(e.canvas.Image().pixel(220, 100), qRgb(255, 255, 255));
  // From press to release the trail is one edit, undone in one step.
  e.editor.PointerReleased(true, 3300, 1500);
  ASSERT_EQ(e.Edits().size(), 2u);
  EXPECT_EQ(e.Edits()[1].boxes.size(), 2u);
  e.document.Undo();
  EXPECT_EQ(e.Edits().size(), 1u);
  e.document.Redo();
  EXPECT_EQ(e.Edits().size(), 2u);
}

TEST(CanvasEditor, TextAtTheChosenPointInTheChosenColour) {
  Editing e;
  e.editor.InsertText("early");
  EXPECT_EQ(e.dialogs.Texts(), std::vector<std::string>{"You must choose an insertion point first"});

  e.editor.PointerMoved(false, 1500, 1500);
  e.editor.Clicked();
  e.editor.PointerMoved(false, 3000, 3000);
  e.editor.Clicked();  // the marker moves: one marker, at the second point
  EXPECT_TRUE(e.views.InsertPointSet);
  EXPECT_EQ(e.editor.insertX, 3000);
  EXPECT_EQ(e.canvas.Image().pixel(200, 200), qRgb(255, 255, 255));  // the marker is not in the picture
  e.editor.ChooseColour(10);
  e.editor.InsertText("MMMM");
  EXPECT_FALSE(e.views.InsertPointSet);
  EXPECT_EQ(e.Edits(), std::vector<HandEdit>{HandEdit::Text(3000, 3000, "MMMM", {255, 0, 0})});
  int red = 0, other = 0;
  for (int y = 0; y < e.canvas.Image().height(); ++y) {
    for (int x = 0; x < e.canvas.Image().width(); ++x) {
      const QRgb p = e.canvas.Image().pixel(x, y);
      if (p == qRgb(255, 255, 255)) continue;
      (x >= 200 && y >= 200 && x < 260 && y < 216 ? red : other) += qRed(p) > 128 && qGreen(p) < 128;
    }
  }
  EXPECT_GT(red, 20);
  EXPECT_EQ(other, 0);
  e.editor.InsertText("again");
  EXPECT_EQ(e.dialogs.messages.size(), 2u);

  // In placement mode "Insert" does nothing at all.
  e.PlaceMode(0);
  e.editor.InsertText("x");
  EXPECT_EQ(e.dialogs.messages.size(), 2u);
  // A redraw keeps the edits without asking.
  e.editor.SetRubberMode(false);
  const QImage edited = e.canvas.Image().copy();
  e.views.Redraw();
  EXPECT_EQ(e.canvas.Image(), edited);
  EXPECT_EQ(e.dialogs.messages.size(), 2u);
}

}  // namespace
}  // namespace kelvo
