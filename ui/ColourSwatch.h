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

}  // namespace kelvo
