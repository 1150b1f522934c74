#pragma once
// The program's widget style: the platform's usual style, the same in every
// pixel it paints, made so that start-up loads none of Qt's image-format
// plug-ins. Qt's image reader offers a picture file to every plug-in, loading
// each, before its own PNG reader; two pictures of the style would do that at
// start-up. The icon of a menu bar's overflow button is made only when it is
// first drawn (the main window's menus always fit), and under Fusion the frame
// of a group box is drawn from Fusion's own picture read by the PNG reader alone.

#include <QProxyStyle>

namespace kelvo {

class ProgramStyle : public QProxyStyle {
  Q_OBJECT

public:
  explicit ProgramStyle(const QString& baseStyle);

  // Puts this style over the application's current one, once per application.
  static void Use();

  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

private:
  bool fusion_ = false;
};

}  // namespace kelvo
