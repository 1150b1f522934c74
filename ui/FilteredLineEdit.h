#pragma once
// A line edit whose typed characters pass a key filter first: a refused key is
// swallowed with the system beep. Typed keys and input-method commits (dead
// keys, compose) are filtered; pasting and deleting are not.

#include <QLineEdit>
#include <functional>
#include <string_view>

namespace kelvo {

class FilteredLineEdit : public QLineEdit {
  Q_OBJECT
public:
  // Whether `key` typed at `caret` into `text` is accepted; U'\b' is Backspace.
  using Filter = std::function<bool(std::u32string_view text, int caret, char32_t key)>;

  explicit FilteredLineEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}
  void SetFilter(Filter filter, std::function<void()> beep) {
    filter_ = std::move(filter);
    beep_ = std::move(beep);
  }

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

private:
  bool Accepts(char32_t key) const;

  Filter filter_;
  std::function<void()> beep_;
};

}  // namespace kelvo
