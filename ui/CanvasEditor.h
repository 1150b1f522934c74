#pragma once
// Hand editing of the drawn picture: stamping tile images (placement mode),
// rubbing areas out (rubber mode) and writing coloured text at a chosen
// point. Each edit is an item of the view shown, kept by the document (a
// stroke rubbed from press to release is one item); the pointer crosshair, the moving preview and the text
// insertion marker live on a screen-only layer drawn over it, so none of them
// ever reaches the picture that is exported or printed. The crosshair and the
// marker are drawn with an exclusive-or pen, so drawing one twice restores
// every pixel. Coordinates are twips.

#include <QImage>
#include <QPainter>
#include <QString>
#include <functional>
#include <optional>

#include "common/UserDialogs.h"
#include "output/ImageCanvas.h"
#include "output/TileImages.h"
#include "session/CircuitViews.h"

namespace kelvo {

inline constexpr int kCrosshairHalf = 101;
inline constexpr int kRubberHalf = 90;
inline constexpr int kMarkerWidth = 1000;
inline constexpr int kMarkerHeight = 200;
inline constexpr int kPaletteSize = 13;
extern const std::array<Rgb, kPaletteSize> kTextPalette;

class CanvasEditor {
public:
  CanvasEditor(ImageCanvas& canvas, CircuitViews& views, const TileImages& tiles, UserDialogs& dialogs);

  // The window mirrors these.
  bool placing = false;
  int componentSlot = -1;
  bool rubberMode = false;
  bool crosshairShown = false;
  int pointerX = 0, pointerY = 0;
  double placeX = 0;
  int placeY = 0;
  int insertX = 0, insertY = 0;
  Rgb textColour{0, 0, 0};
  QString pointerText;
  bool addComponentUnderlined = false;

  // "Add Component": true when the component dialog is to be opened.
  bool ToggleAddComponent();
  // The component dialog: opened (componentSlot -1), OK with a slot, then closed
  // (by the program after OK, or by the user from its title bar).
  void PickerOpened();
  void ComponentChosen(int slot);
  void PickerClosed(bool byUser);
  // Esc while a component waits to be placed: nothing is stamped.
  void CancelPlacement();

  void PointerMoved(bool leftButton, double x, double y);
  void LeaveCanvas();
  void Clicked();
  void PointerReleased(bool leftButton, double x, double y);
  void SetRubberMode(bool ticked);

  void ChooseColour(int index);
  // "Insert" and "Add Text".
  void InsertText(const std::string& text);

  // The screen-only layer: preview, crosshair and marker over the picture,
  // which is drawn at `scale` screen pixels per picture pixel.
  void PaintScreenLayer(QImage& screen, double scale = 1.0) const;
  QImage ScreenImage() const;
  // The component being placed shows under the pointer.
  bool PlacingShown() const { return placing && preview_ && componentSlot >= 0 && componentSlot < kTileCount; }
  // Something of the screen-only layer shows over the picture.
  bool ScreenLayerShown() const { return PlacingShown() || crosshairShown || views_.InsertPointSet; }

  // Exclusive-or figures, in twips, on any RGB32 image.
  static void XorCrosshair(QImage& image, int x, int y, bool rubber, double scale = 1.0);
  static void XorMarker(QImage& image, int x, int y, double scale = 1.0);

  // The window repaints when this fires.
  std::function<void()> onChanged;

private:
  void RemoveCrosshair();
  void RemoveMarker();
  void ChooseInsertPoint();
  void Track(double x, double y);
  void Rub(double x, double y);
  void Changed() const {
    if (onChanged) onChanged();
  }

  ImageCanvas& canvas_;
  CircuitViews& views_;
  const TileImages& tiles_;
  UserDialogs& dialogs_;
  std::optional<QPoint> preview_;  // twips
  bool crosshairRubber_ = false;   // the form the shown crosshair was drawn in
  bool stroking_ = false;          // the left button is down in rubber mode
};

}  // namespace kelvo
