#pragma once
// The splash window shown while the tile images load: a frameless window with
// the product's name and the progress label LoadLabel. Keys and clicks on it
// only beep.

#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace kelvo {

class SplashWindow : public QWidget {
  Q_OBJECT
public:
  SplashWindow();
  void SetLoadCaption(const QString& caption);

  QLabel* LoadLabel{};
  QStringList captionsShown;  // every caption LoadLabel had, in order

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace kelvo
