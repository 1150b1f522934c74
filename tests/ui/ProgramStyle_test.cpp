// The program's style paints what its base style paints, and starting the
// main window and showing it loads no image-format plug-in and makes no
// canvas pixels.

#include "ui/ProgramStyle.h"

#include <gtest/gtest.h>
#include <link.h>

#include <QApplication>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <QWindow>
#include <memory>
#include <string>

#include "support/StartedWindow.h"

namespace kelvo {
namespace {

QImage GroupBoxPicture(QStyle* style, const QString& title, bool checkable) {
  QGroupBox box(title);
  box.setStyle(style);
  box.setCheckable(checkable);
  auto* button = new QPushButton(QStringLiteral("Rubber"));
  button->setStyle(style);
  (new QVBoxLayout(&box))->addWidget(button);
  box.resize(220, 90);
  return box.grab().toImage();
}

// A menu bar too narrow for its menus shows its overflow button.
QImage NarrowMenuBarPicture(QStyle* style) {
  QMenuBar bar;
  bar.setStyle(style);
  for (const char* title : {"&File", "&Edit", "&State Diagram", "&Tools", "&View", "&Help"}) bar.addMenu(title);
  bar.resize(120, bar.sizeHint().height());
  bar.show();
  return bar.grab().toImage();
}

TEST(ProgramStyle, PaintsAsFusionDoes) {
  const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
  ProgramStyle program(QStringLiteral("fusion"));
  for (const QString& title : {QStringLiteral("Tools"), QString()}) {
    for (const bool checkable : {false, true}) {
      EXPECT_EQ(GroupBoxPicture(fusion.get(), title, checkable), GroupBoxPicture(&program, title, checkable))
          << "a group box titled '" << title.toStdString() << "', checkable " << checkable;
    }
  }
  EXPECT_EQ(NarrowMenuBarPicture(fusion.get()), NarrowMenuBarPicture(&program));
  for (const auto icon : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
    const QIcon theirs = fusion->standardIcon(icon), ours = program.standardIcon(icon);
    EXPECT_FALSE(ours.isNull());
    for (const int size : {8, 16, 32}) {
      EXPECT_EQ(theirs.pixmap(size).toImage(), ours.pixmap(size).toImage()) << "icon " << icon << " at " << size;
      EXPECT_EQ(theirs.pixmap(QSize(size, size), 2.0).toImage(), ours.pixmap(QSize(size, size), 2.0).toImage());
    }
  }
}

TEST(ProgramStyle, StartingTheWindowLoadsNoImagePluginAndMakesNoCanvasPixels) {
  testing::Started started;
  started.window.show();
  while (!started.window.windowHandle()->isExposed()) QApplication::processEvents();
  started.window.grab();  // painted, the Tools frame and the canvas included
  EXPECT_TRUE(started.window.canvas.IsBlank());
  const QImage canvasShown = started.window.canvasView->grab(QRect(0, 0, 600, 60)).toImage();
  EXPECT_EQ(canvasShown.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(canvasShown.pixel(599, 59), qRgb(255, 255, 255));
  std::string loaded;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* names) {
        const std::string name = info->dlpi_name ? info->dlpi_name : "";
        if (name.find("/imageformats/") != std::string::npos) *static_cast<std::string*>(names) += name + " ";
        return 0;
      },
      &loaded);
  EXPECT_EQ(loaded, "");
}

}  // namespace
}  // namespace kelvo
