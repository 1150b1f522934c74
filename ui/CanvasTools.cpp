#include "ui/CanvasTools.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "ui/ColourSwatch.h"
#include "ui/MainWindow.h"
#include "ui/WindowKeys.h"
#include "ui/WindowPlaces.h"

namespace kelvo {

void CanvasTools::Build(QWidget* parent) {
  // The frame keeps its place; inside it rows of controls take the room their
  // captions need in the window's font.
  frame = new QGroupBox(QStringLiteral("Tools"), parent);
  frame->setGeometry(ImageCanvas::ToPixels(240, 8880, 9975, 1335));
  auto* rows = new QVBoxLayout(frame);
  rows->setContentsMargins(6, 2, 6, 4);
  rows->setSpacing(4);
  auto* top = new QHBoxLayout;
  auto* bottom = new QHBoxLayout;
  rows->addLayout(top);
  rows->addLayout(bottom);

  auto* textLabel = new QLabel(QStringLiteral("E&nter text to insert:"));
  textBox = new QLineEdit;
  textLabel->setBuddy(textBox);
  insertButton = new QPushButton(QStringLiteral("&Insert"));
  pointerPlace = new QLabel;
  pointerPlace->setMinimumWidth(86);
  top->addWidget(textLabel);
  top->addWidget(textBox, 1);
  top->addWidget(insertButton);
  top->addSpacing(8);
  top->addWidget(new QLabel(QStringLiteral("( X , Y ) =")));
  top->addWidget(pointerPlace);

  bottom->addWidget(new QLabel(QStringLiteral("Choose text Color:")));
  bottom->setSpacing(3);
  for (int i = 0; i < kPaletteSize; ++i) {
    const Rgb c = kTextPalette[i];
    auto* swatch = new ColourSwatch(QColor(c.r, c.g, c.b));
    swatch->setFixedSize(15, 17);
    // Reached with Tab, moved along with the arrow keys, chosen with Space or Enter.
    swatch->setFocusPolicy(Qt::StrongFocus);
    swatch->setAccessibleName(QStringLiteral("Text colour %1").arg(i + 1));
    swatch->installEventFilter(this);
    colourSwatches[i] = swatch;
    bottom->addWidget(swatch);
  }
  bottom->addSpacing(6);
  bottom->addWidget(new QLabel(QStringLiteral("Current:")));
  textColourSwatch = new ColourBox;
  textColourSwatch->setFixedSize(34, 17);
  bottom->addWidget(textColourSwatch);
  bottom->addStretch(1);
  rubberMode = new QCheckBox(QStringLiteral("&Rubber Mode"));
  addComponentButton = new QPushButton(QStringLiteral("Add C&omponent"));
  bottom->addWidget(rubberMode);
  bottom->addWidget(addComponentButton);

  connect(addComponentButton, &QPushButton::clicked, this, &CanvasTools::AddComponent);
  connect(rubberMode, &QCheckBox::clicked, this, [this](bool ticked) { window_.editor.SetRubberMode(ticked); });
  connect(insertButton, &QPushButton::clicked, this, &CanvasTools::InsertText);
}

void CanvasTools::Sync() {
  const CanvasEditor& editor = window_.editor;
  QFont font = addComponentButton->font();
  font.setUnderline(editor.addComponentUnderlined);
  addComponentButton->setFont(font);
  rubberMode->setChecked(editor.rubberMode);
  pointerPlace->setText(editor.pointerText);
  const Rgb c = editor.textColour;
  textColourSwatch->SetColour(QColor(c.r, c.g, c.b));
  window_.canvasView->update();
}

bool CanvasTools::eventFilter(QObject* watched, QEvent* event) {
  for (int i = 0; i < kPaletteSize; ++i) {
    if (watched != colourSwatches[i]) continue;
    if (event->type() == QEvent::MouseButtonPress) window_.editor.ChooseColour(i);
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        window_.editor.ChooseColour(i);
        return true;
      }
      const int step = key == Qt::Key_Left || key == Qt::Key_Up      ? -1
                       : key == Qt::Key_Right || key == Qt::Key_Down ? 1
                                                                     : 0;
      if (step != 0) {
        colourSwatches[(i + step + kPaletteSize) % kPaletteSize]->setFocus(Qt::TabFocusReason);
        return true;
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

void CanvasTools::AddComponent() {
  MainWindow& w = window_;
  if (!w.editor.ToggleAddComponent() || componentPicker) return;
  w.setEnabled(false);
  componentPicker = new ComponentPicker(w.tiles);
  componentPicker->setWindowIcon(w.windowIcon());
  RememberPlace(componentPicker, QStringLiteral("component"));
  StayAbove(componentPicker, &w);
  w.editor.PickerOpened();
  componentPicker->onOk = [this](int slot) { window_.editor.ComponentChosen(slot); };
  componentPicker->onClosed = [this](bool byUser) {
    window_.editor.PickerClosed(byUser);
    window_.setEnabled(true);
  };
  componentPicker->show();
}

void CanvasTools::InsertText() { window_.editor.InsertText(textBox->text().toStdString()); }

}  // namespace kelvo
