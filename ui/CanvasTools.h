#pragma once
// The main window's "Tools" frame: the text to insert and its "Insert", the
// pointer's place, the text colours, "Rubber Mode" and "Add Component" with
// its component picker. The canvas editor does the editing; this controller
// builds the frame, hands its controls to the editor and shows the editor's
// state in them.

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <array>

#include "ui/CanvasEditor.h"
#include "ui/ComponentPicker.h"

namespace kelvo {

class ColourBox;
class MainWindow;

class CanvasTools : public QObject {
  Q_OBJECT
public:
  explicit CanvasTools(MainWindow& window) : window_(window) {}

  // The frame at its place on `parent`.
  void Build(QWidget* parent);
  // "Add Component": the component picker, or placement given up.
  void AddComponent();
  // "Insert" and "Tools > Add Text": the text of the box at the insertion point.
  void InsertText();
  // The controls show the editor's state.
  void Sync();

  QGroupBox* frame{};
  QLineEdit* textBox{};
  QPushButton *insertButton{}, *addComponentButton{};
  QLabel* pointerPlace{};         // "( X , Y ) =" the pointer's place in twips
  ColourBox* textColourSwatch{};  // "Current:"
  QCheckBox* rubberMode{};
  std::array<QWidget*, kPaletteSize> colourSwatches{};
  QPointer<ComponentPicker> componentPicker;

protected:
  // The colour swatches: chosen with a click, Space or Enter, moved along with the arrow keys.
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  MainWindow& window_;
};

}  // namespace kelvo
