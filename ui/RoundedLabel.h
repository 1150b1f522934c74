#pragma once
// A line of text in a box with a grey one-pixel edge and rounded corners (the
// credit line of the main window). Painted directly: the same picture the
// style sheet "border: 1px solid gray; border-radius: 6px" gives, without a
// style sheet to parse and match at start-up.

#include <QLabel>

namespace kelvo {

class RoundedLabel : public QLabel {
public:
  explicit RoundedLabel(const QString& text, QWidget* parent = nullptr);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  void PaintEdge(QPainter& p) const;
};

}  // namespace kelvo
