#include "common/PictureBounds.h"

#include <gtest/gtest.h>

#include <QXmlStreamReader>

#include "output/CircuitFiles.h"
#include "output/DiagramPicture.h"
#include "output/ImageCanvas.h"
#include "session/Session.h"
#include "session/TableFaults.h"
#include "statediagram/DiagramLayout.h"
#include "support/ScriptedDialogs.h"
#include "support/Tables.h"
#include "ui/CanvasView.h"

namespace kelvo {
namespace {

bool WellFormedXml(const QByteArray& bytes) {
  QXmlStreamReader reader(bytes);
  while (!reader.atEnd()) reader.readNext();
  return !reader.hasError();
}

struct DrawnLatch {
  ImageCanvas canvas;
  testing::ScriptedDialogs dialogs;
  Session session{dialogs, canvas};
  explicit DrawnLatch(const std::string& relayName) {
    StateDiagram latch = testing::Latch();
    latch.CoilNames[0] = relayName;
    latch.CoilOn[1][0] = true;
    session.form.OpenTable(latch);
    session.form.DrawCircuit();
    session.views.Show(ViewButton::MachineState);
  }
};

// A relay name is at most 64 characters, so the flows never ask the canvas
// for more than the bound; asked directly, the canvas stays as it was.
TEST(PictureBounds, TheCanvasGrowsOnlyUpToTheBound) {
  DrawnLatch longest(std::string(kMaxRelayNameCharacters, 'L'));
  EXPECT_TRUE(longest.session.views.HasCircuit());
  const QSize size = longest.canvas.Image().size();
  EXPECT_TRUE(PictureFits(size.width(), size.height()));

  DrawnLatch tooLong(std::string(10'000, 'L'));
  EXPECT_FALSE(tooLong.session.views.HasCircuit());
  ImageCanvas canvas;
  const QSize usual = canvas.Image().size();
  canvas.ExtendWidth(20'000 * kTwipsPerPixel);
  EXPECT_EQ(canvas.Image().size(), usual);
}

TEST(PictureBounds, DrawingsPastTheBoundAreRefusedBeforePainting) {
  struct Case {
    const char* name;
    QSize size;
    bool made;
  };
  for (const Case c :
       {Case{"a.png", {16'385, 10}, false}, Case{"a.svg", {16'385, 10}, false}, Case{"a.pdf", {10, 16'385}, false},
        Case{"a.png", {9'000, 8'000}, false}, Case{"a.png", {10'000, 100}, true}}) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.size.width()) + "x" + std::to_string(c.size.height()));
    bool painted = false;
    const auto bytes = EncodeDrawing(c.name, c.size, [&painted](QPainter&) { painted = true; });
    EXPECT_EQ(bytes.ok(), c.made);
    EXPECT_EQ(painted, c.made);
    EXPECT_EQ(bytes.why(), c.made ? "" : PictureTooLarge(c.size.width(), c.size.height()));
  }
  // Twice the resolution would pass the bound: the PNG keeps the picture's own.
  const auto png = EncodeDrawing("a.png", {10'000, 100}, [](QPainter&) {});
  ASSERT_TRUE(png);
  EXPECT_EQ(QImage::fromData(*png).size(), QSize(10'000, 100));
}

TEST(PictureBounds, AZoomPastTheBoundIsRefusedAndSaidSo) {
  ImageCanvas canvas;
  canvas.ExtendWidth(5'000 * kTwipsPerPixel);
  CanvasView view(canvas);
  EXPECT_TRUE(view.SetZoom(2.0));
  EXPECT_FALSE(view.SetZoom(8.0));
  EXPECT_EQ(view.Zoom(), 2.0);
  EXPECT_TRUE(view.TooLarge(8.0).starts_with("The picture would be "));
  canvas.ExtendWidth(12'000 * kTwipsPerPixel);  // too wide for zoom 2: back to 1
  view.FitToCanvas();
  EXPECT_EQ(view.Zoom(), 1.0);
}

TEST(PictureFiles, ControlCharactersInNamesLeaveTheSvgWellFormed) {
  const std::string names[] = {"X\x01Y", std::string("N\0L", 3), "\x1b[2Jgone", "R\x7f", "\xef\xbf\xbe"};
  for (const std::string& name : names) {
    SCOPED_TRACE(&name - names);
    ImageCanvas canvas;
    canvas.PrintText(name);
    const auto svg = EncodeDrawing("c.svg", canvas.Record().size, [&canvas](QPainter& p) {
      PlayPicture(p, canvas.Record(), canvas.Tiles(), TileStyle::Lines);
    });
    ASSERT_TRUE(svg);
    EXPECT_TRUE(WellFormedXml(*svg));
    StateDiagram table = testing::Latch();
    table.CoilNames[0] = name;
    table.CoilOn[1][0] = true;
    table.Triggers[1][0] = name;
    const DiagramLayout layout = LayOutDiagram(table);
    const auto diagram =
        EncodeDrawing("d.svg", DiagramPictureSize(layout), [&layout](QPainter& p) { PaintDiagram(p, layout); });
    ASSERT_TRUE(diagram);
    EXPECT_TRUE(WellFormedXml(*diagram));
  }
}

}  // namespace
}  // namespace kelvo
