#pragma once
// The component dialog "Add Component": a list of the fifteen tile images
// with a preview. "OK" hands the chosen slot over; closing from the title bar
// chooses nothing. A typed text must name one of the entries.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <functional>

#include "output/TileImages.h"

namespace kelvo {

class ComponentPicker : public QWidget {
  Q_OBJECT
public:
  static constexpr std::array<const char*, kTileCount> kEntries{
      "Coil",       "Line Vertical", "Line Horizontal", "Line 1Down",   "Line 1Up",
      "Line TDown", "Line TRight",   "Line TUp",        "NO Contact",   "NC Contact",
      "Timer",      "NO On Delay",   "NC On Delay",     "NO Off Delay", "NC Off Delay"};

  explicit ComponentPicker(const TileImages& tiles);

  std::function<void(int slot)> onOk;
  std::function<void(bool byUser)> onClosed;

  // The entry the list's text names, or -1.
  int SelectedSlot() const;
  void Accept();

  QComboBox* componentList{};
  QLabel* preview{};
  QPushButton* okButton{};
  QPushButton* cancelButton{};  // closes without placing anything

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void ShowPreview(int slot);

  std::array<QImage, kTileCount> images_;  // the dialog's own copy
  bool closingByProgram_ = false;
};

}  // namespace kelvo
