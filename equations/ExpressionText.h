#pragma once
// Plain-text helpers for switch expressions: literals joined by "." (AND),
// terms joined by "+" (OR). Splitting keeps empty pieces, and a text without
// the delimiter is one piece; joining is the reverse. The sense of a literal
// is decided by an ASCII first letter; case changes also cover the accented
// letters a Windows-1252 text can hold (UTF-8 in memory).

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

std::vector<std::string> Split(std::string_view text, std::string_view delimiter);
std::string Join(const std::vector<std::string>& pieces, std::string_view delimiter);
// Replaces every occurrence, scanning left to right without overlaps.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
bool Contains(std::string_view text, std::string_view part);

// "[A-Z]*": the first character is an upper-case letter (normally open contact).
bool IsUpperLiteral(std::string_view literal);
// "[a-z]*": the first character is a lower-case letter (normally closed contact).
bool IsLowerLiteral(std::string_view literal);
// A contact is a switch and a sense: two contacts are the same when their
// names are equal ignoring case (the case pairs of ToUpper and ToLower) and
// both first letters are upper or both lower case; they are complements when
// the names are equal ignoring case and the senses differ. A text that is no
// name (an ASCII letter, then letters and digits) is the same only as itself.
bool SameContact(std::string_view a, std::string_view b);
bool ComplementContacts(std::string_view a, std::string_view b);
// False when `a` and `b` can be neither one contact nor a contact and its
// complement: their lengths differ, or their first characters, both ASCII,
// differ in more than case. Cheap enough to ask before the two above.
inline bool MayBeOneSwitch(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a.empty()) return true;
  const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
  const auto x = static_cast<unsigned char>(a[0]), y = static_cast<unsigned char>(b[0]);
  return x >= 0x80 || y >= 0x80 || lower(x) == lower(y);
}
// One text for all spellings of a contact: "Start" and "START" share theirs.
std::string ContactKey(std::string_view literal);
// Why `trigger` is not a switch expression (literals of letters and digits,
// each starting with an ASCII letter, joined by "." and "+"), or "" when it is.
// After the first character a contact holds Unicode letters and digits only;
// a character that may not show is named as "U+00A0".
std::string TriggerFault(std::string_view trigger);

// The size of a trigger the synthesis takes: a circuit shows at most 20
// branches of at most 10 contacts, and these bounds keep every table's whole
// "Circuit" road well under a second.
inline constexpr size_t kMaxTriggerCharacters = 200;
inline constexpr size_t kMaxTriggerTerms = 20;
inline constexpr size_t kMaxTriggerContacts = 10;  // in one term
// Why `trigger` is too large to take, or "" when it is within the bounds.
std::string TriggerSizeFault(std::string_view trigger);
std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);
// Flips the sense of a literal: "A1" -> "a1", "dt" -> "DT", "dT" -> "DT".
std::string ComplementLiteral(std::string_view literal);
// a == ToUpper(b), a == ToLower(b), without building the mapped text.
bool EqualsUpper(std::string_view a, std::string_view b);
bool EqualsLower(std::string_view a, std::string_view b);
// The pieces of `text` between one-character delimiters, as views of it, one
// at a time and without a list: for (std::string_view term : Pieces(t, '+')).
class Pieces {
public:
  Pieces(std::string_view text, char delimiter) : text_(text), delimiter_(delimiter) {}

  class iterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::string_view*;
    using reference = std::string_view;

    iterator() = default;
    iterator(std::string_view text, char delimiter, size_t start) : text_(text), delimiter_(delimiter), start_(start) {
      FindEnd();
    }
    std::string_view operator*() const { return text_.substr(start_, end_ - start_); }
    iterator& operator++() {
      start_ = end_ < text_.size() ? end_ + 1 : std::string_view::npos;
      FindEnd();
      return *this;
    }
    iterator operator++(int) {
      iterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const iterator& other) const { return start_ == other.start_; }

  private:
    void FindEnd() {
      if (start_ == std::string_view::npos) return;
      end_ = text_.find(delimiter_, start_);
      if (end_ == std::string_view::npos) end_ = text_.size();
    }
    std::string_view text_;
    char delimiter_ = 0;
    size_t start_ = std::string_view::npos;
    size_t end_ = 0;
  };

  iterator begin() const { return {text_, delimiter_, 0}; }
  iterator end() const { return {}; }
  // Never 0: a text without the delimiter, the empty text too, is one piece.
  size_t Count() const;

private:
  std::string_view text_;
  char delimiter_;
};

}  // namespace kelvo
