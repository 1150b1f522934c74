#include "equations/ExpressionText.h"

#include <algorithm>
#include <cctype>

#include "common/CodePoints.h"

namespace kelvo {

std::vector<std::string> Split(std::string_view text, std::string_view delimiter) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (true) {
    const size_t at = text.find(delimiter, start);
    if (at == std::string_view::npos) {
      pieces.emplace_back(text.substr(start));
      return pieces;
    }
    pieces.emplace_back(text.substr(start, at - start));
    start = at + delimiter.size();
  }
}

std::string Join(const std::vector<std::string>& pieces, std::string_view delimiter) {
  std::string text;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) text += delimiter;
    text += pieces[i];
  }
  return text;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string result;
  size_t start = 0;
  while (true) {
    const size_t at = text.find(from, start);
    if (at == std::string_view::npos) break;
    result.append(text.substr(start, at - start));
    result.append(to);
    start = at + from.size();
  }
  result.append(text.substr(start));
  return result;
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

bool IsUpperLiteral(std::string_view literal) { return !literal.empty() && literal[0] >= 'A' && literal[0] <= 'Z'; }

bool IsLowerLiteral(std::string_view literal) { return !literal.empty() && literal[0] >= 'a' && literal[0] <= 'z'; }

std::string TriggerFault(std::string_view trigger) {
  for (std::string_view term : Pieces(trigger, '+')) {
    for (std::string_view literal : Pieces(term, '.')) {
      if (literal.empty()) return "it has an empty contact (\"+\" or \".\" with nothing on one side)";
      const auto quoted = [literal] { return "\"" + std::string(literal) + "\""; };
      if (!IsUpperLiteral(literal) && !IsLowerLiteral(literal))
        return "the contact " + quoted() + " does not start with a letter";
      std::string foreign;
      ForEachCodePoint(literal, [&](char32_t c, std::string_view bytes) {
        if (!foreign.empty() || IsLetterOrDigit(c)) return;
        foreign = c < 0x80 && !IsControlCharacter(c) ? "\"" + std::string(bytes) + "\"" : CodePointName(c);
      });
      if (!foreign.empty())
        return "the contact " + quoted() + " holds " + foreign + ", which is neither a letter nor a digit";
    }
  }
  return "";
}

std::string TriggerSizeFault(std::string_view trigger) {
  if (trigger.size() > kMaxTriggerCharacters) {
    return "it has " + std::to_string(trigger.size()) + " characters, more than the " +
           std::to_string(kMaxTriggerCharacters) + " a trigger may have";
  }
  const Pieces terms(trigger, '+');
  if (const size_t count = terms.Count(); count > kMaxTriggerTerms) {
    return "it has " + std::to_string(count) + " terms, more than the " + std::to_string(kMaxTriggerTerms) +
           " a trigger may have";
  }
  for (std::string_view term : terms) {
    const size_t contacts = Pieces(term, '.').Count();
    if (contacts > kMaxTriggerContacts) {
      return "it has a term of " + std::to_string(contacts) + " contacts, more than the " +
             std::to_string(kMaxTriggerContacts) + " a term may have";
    }
  }
  return "";
}

namespace {

// Case pairs of the letters a Windows-1252 text can hold: ASCII, the Latin-1
// letters (but not the signs x and / between them) and the few pairs of the
// 0x80..0x9F range.
char32_t UpperOf(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  switch (c) {
    case 0xFF:
      return 0x178;
    case 0x161:
      return 0x160;
    case 0x153:
      return 0x152;
    case 0x17E:
      return 0x17D;
    default:
      return c;
  }
}

char32_t LowerOf(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  switch (c) {
    case 0x178:
      return 0xFF;
    case 0x160:
      return 0x161;
    case 0x152:
      return 0x153;
    case 0x17D:
      return 0x17E;
    default:
      return c;
  }
}

// Calls `out(byte)` for the bytes of `text` with case mapped: ASCII letters and
// the two-byte UTF-8 characters that have a case partner; every other byte is
// passed on as it is. Mapping never changes a character's length in bytes.
template <typename Map, typename Out>
void ForEachMappedByte(std::string_view text, Map map, Out out) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
      out(static_cast<char>(map(b0)));
      continue;
    }
    const auto b1 = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if ((b0 & 0xE0) == 0xC0 && (b1 & 0xC0) == 0x80) {
      const char32_t mapped = map(static_cast<char32_t>(((b0 & 0x1F) << 6) | (b1 & 0x3F)));
      out(static_cast<char>(0xC0 | (mapped >> 6)));
      out(static_cast<char>(0x80 | (mapped & 0x3F)));
      ++i;
      continue;
    }
    out(static_cast<char>(b0));
  }
}

template <typename Map>
std::string MapCase(std::string_view text, Map map) {
  std::string result;
  result.reserve(text.size());
  ForEachMappedByte(text, map, [&](char c) { result += c; });
  return result;
}

// Whether `a` equals `b` with case mapped, without building the mapped text.
template <typename Map>
bool EqualsMapped(std::string_view a, std::string_view b, Map map) {
  if (a.size() != b.size()) return false;
  size_t i = 0;
  bool equal = true;
  ForEachMappedByte(b, map, [&](char c) { equal = equal && a[i++] == c; });
  return equal;
}

}  // namespace

std::string ToUpper(std::string_view text) { return MapCase(text, UpperOf); }

std::string ToLower(std::string_view text) { return MapCase(text, LowerOf); }

std::string ComplementLiteral(std::string_view literal) {
  return IsUpperLiteral(literal) ? ToLower(literal) : ToUpper(literal);
}

bool EqualsUpper(std::string_view a, std::string_view b) { return EqualsMapped(a, b, UpperOf); }

bool EqualsLower(std::string_view a, std::string_view b) { return EqualsMapped(a, b, LowerOf); }

namespace {

enum class Sense { NormallyOpen, NormallyClosed, None };

// Only a name has a sense: text such as "A)(t1", a piece of a product left
// unexpanded, compares as it is written.
Sense SenseOf(std::string_view literal) {
  for (char c : literal) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80 && !std::isalnum(u)) return Sense::None;
  }
  return IsUpperLiteral(literal) ? Sense::NormallyOpen : IsLowerLiteral(literal) ? Sense::NormallyClosed : Sense::None;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) { return static_cast<char>(LowerOf(static_cast<unsigned char>(c))); }

// Case changes keep a text's length in bytes.
bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (!IsAscii(a) || !IsAscii(b)) return EqualsLower(ToLower(a), b);
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace

bool SameContact(std::string_view a, std::string_view b) {
  if (a == b) return true;
  if (!MayBeOneSwitch(a, b)) return false;
  const Sense sense = SenseOf(a);
  return sense != Sense::None && sense == SenseOf(b) && EqualIgnoringCase(a, b);
}

bool ComplementContacts(std::string_view a, std::string_view b) {
  if (!MayBeOneSwitch(a, b)) return false;
  const Sense sa = SenseOf(a), sb = SenseOf(b);
  return sa != Sense::None && sb != Sense::None && sa != sb && EqualIgnoringCase(a, b);
}

std::string ContactKey(std::string_view literal) {
  switch (SenseOf(literal)) {
    case Sense::NormallyOpen:
      return "+" + ToLower(literal);
    case Sense::NormallyClosed:
      return "-" + ToLower(literal);
    default:
      return " " + std::string(literal);
  }
}

size_t Pieces::Count() const { return static_cast<size_t>(std::count(text_.begin(), text_.end(), delimiter_)) + 1; }

}  // namespace kelvo
