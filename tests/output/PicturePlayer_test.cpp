#include "output/PicturePlayer.h"

#include <gtest/gtest.h>

#include "output/ImageCanvas.h"
#include "output/TileShapes.h"
#include "session/Session.h"
#include "statediagram/StatesFile.h"
#include "support/ScriptedDialogs.h"
#include "ui/CanvasEditor.h"

namespace kelvo {
namespace {

const QString kTiles = QStringLiteral(KELVO_SOURCE_DIR "/Bitmaps");
const std::string kExamples = KELVO_SOURCE_DIR "/examples/";

struct DrawnExample {
  TileImages tiles;
  ImageCanvas canvas;
  testing::ScriptedDialogs dialogs;
  Session session{dialogs, canvas};
  explicit DrawnExample(const std::string& file) {
    EXPECT_TRUE(tiles.LoadAll({kTiles}));
    canvas.SetTiles(tiles.Images());
    EXPECT_TRUE(session.form.LoadStatesFrom(kExamples + file));
    session.form.dcbaAuto = true;
    session.form.CircExt_Click();
    EXPECT_TRUE(session.handedOver);
  }
};

// The tile files are the symbols' lines rendered at one pixel.
TEST(PicturePlayer, TileImagesAreTheTileShapes) {
  TileImages tiles;
  ASSERT_TRUE(tiles.LoadAll({kTiles}));
  for (int slot = 0; slot < kTileCount; ++slot) {
    EXPECT_EQ(RenderTileImage(slot), tiles.Image(slot).convertToFormat(QImage::Format_RGB32)) << "slot " << slot;
  }
}

// Played back at scale 1, the recorded ops give the canvas's picture pixel for
// pixel: every view of every example, hand edits included.
TEST(PicturePlayer, ScaleOneIsTheCanvasPixelForPixel) {
  for (const char* file : {"two-state-latch.sfi", "four-state-cycle.sfi", "traffic-light.sfi", "garage-door.sfi"}) {
    DrawnExample e(file);
    for (ViewButton view : kAllViewButtons) {
      if (!e.session.views.Enabled(view)) continue;
      e.session.views.Show(view);
      EXPECT_EQ(RenderPicture(e.canvas.Record(), e.canvas.Tiles(), 1.0), e.canvas.Image())
          << file << " view " << static_cast<int>(view);
    }
    CanvasEditor editor(e.canvas, e.session.views, e.tiles, e.dialogs);
    editor.ColorFr_Click(4);
    editor.Picture1_MouseMove(false, 3000, 3000);
    editor.Picture1_Click();
    editor.InsText_Click("a note");
    editor.RubberOn_Click(true);
    editor.Picture1_MouseUp(true, 600, 1000);
    ASSERT_TRUE(e.canvas.Record().ops.back().handEdit);
    EXPECT_EQ(RenderPicture(e.canvas.Record(), e.canvas.Tiles(), 1.0), e.canvas.Image()) << file << " edited";
  }
}

// At other scales the picture is drawn anew, not enlarged: a wire stays one
// stroke as wide as the scale, with no grey pixels.
TEST(PicturePlayer, OtherScalesDrawSharpLines) {
  DrawnExample e("four-state-cycle.sfi");
  const QImage once = RenderPicture(e.canvas.Record(), e.canvas.Tiles(), 1.0);
  const QImage twice = RenderPicture(e.canvas.Record(), e.canvas.Tiles(), 2.0);
  EXPECT_EQ(twice.size(), once.size() * 2);
  EXPECT_EQ(twice.devicePixelRatio(), 2.0);
  // The top supply line: two black rows where the picture has one.
  int blackRowsOnce = 0, blackRowsTwice = 0;
  for (int y = 0; y < 40; ++y) blackRowsOnce += once.pixel(5, y) == qRgb(0, 0, 0);
  for (int y = 0; y < 80; ++y) blackRowsTwice += twice.pixel(10, y) == qRgb(0, 0, 0);
  EXPECT_EQ(blackRowsOnce, 1);
  EXPECT_EQ(blackRowsTwice, 2);
  for (int y = 0; y < 80; ++y) {
    const QRgb c = twice.pixel(10, y);
    EXPECT_TRUE(c == qRgb(0, 0, 0) || c == qRgb(255, 255, 255)) << y;
  }
}

}  // namespace
}  // namespace kelvo
