#pragma once
// The splash window shown while the tile images load: a frameless window with
// the product's name and the progress label LoadLabel. Keys and clicks on it
// only beep.

#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace kelvo {

class FrmSplash : public QWidget {
  Q_OBJECT
public:
  FrmSplash();
  void SetLoadCaption(const QString& caption);

  QLabel* LoadLabel{};
  QStringList captionsShown;  // every caption LoadLabel had, in order

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace kelvo
