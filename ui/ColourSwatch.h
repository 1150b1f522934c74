#pragma once
// One text colour of the tools frame: a box of the colour with a grey
// one-pixel edge, and a black two-pixel edge while it has the keyboard focus.
// Painted directly: the same picture a style sheet gives, without a style
// sheet to parse and match per box at start-up.

#include <QColor>
#include <QLabel>

namespace kelvo {

class ColourSwatch : public QLabel {
public:
  explicit ColourSwatch(QColor colour, QWidget* parent = nullptr);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QColor colour_;
};

// A box filled with one colour, edge to edge (the text colour now chosen).
// Painted directly, as the swatches are, for the picture a style sheet's
// "background" gives.
class ColourBox : public QWidget {
public:
  explicit ColourBox(QWidget* parent = nullptr);
  void SetColour(QColor colour);
  QColor Colour() const { return colour_; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QColor colour_ = Qt::black;
};

}  // namespace kelvo
