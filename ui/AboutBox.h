#pragma once
// "About Kelvo 16s": version, date and credits, closed with its one button.

#include <QPushButton>
#include <QWidget>
#include <functional>

namespace kelvo {

class AboutBox : public QWidget {
  Q_OBJECT
public:
  AboutBox();
  std::function<void()> onClosed;  // re-enables the main window
  QPushButton* okButton{};

protected:
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace kelvo
