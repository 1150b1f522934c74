#pragma once
// Switch expressions as values: a Literal is one contact as written, a Term a
// product of literals in order, a Sum a sum of terms in order, and a
// ProductOfSums what complementing a sum gives. Text is read once where it
// enters (ParseSum, ParseProduct) and written once where it leaves (Print).
//
// Literals are made by a ContactNames table, which keeps each spelling once
// and gives all spellings of one contact the same number: "Start" and "START"
// are one contact, "start" its complement (the rule of ExpressionText's
// SameContact). A literal that is no name ("", or "b)(dt", a piece of a
// product left unexpanded) is kept verbatim and is the same only as itself.
//
// The mapping is exact both ways: Print(ParseSum(t)) == t for every text t,
// empty pieces included ("X++Y" has an empty middle term of one empty
// literal). The empty text is the empty sum; a sum whose text is empty
// (one term of one empty literal) counts as empty too (Blank).

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kelvo {

enum class Sense : uint8_t {
  NormallyOpen,    // upper-case ASCII first letter
  NormallyClosed,  // lower-case ASCII first letter
  Verbatim,        // not a name: compares as written
};

// One spelling of a contact, kept by ContactNames.
struct ContactSpelling {
  std::string text;
  uint32_t contact = 0;  // equal for the spellings of one contact
  Sense sense = Sense::Verbatim;
  bool holdsMark = false;                               // the text holds a "?"
  mutable const ContactSpelling* complement = nullptr;  // filled on first use
};

class Literal {
public:
  Literal() = default;
  explicit Literal(const ContactSpelling* spelling) : spelling_(spelling), contact_(spelling->contact) {}

  std::string_view Text() const { return spelling_->text; }
  Sense ContactSense() const { return spelling_->sense; }
  bool NormallyOpen() const { return spelling_->sense == Sense::NormallyOpen; }
  // The contact: one number for "Start" and "START", the next one up for "start".
  uint32_t Contact() const { return contact_; }
  // The switch: one number for every spelling of it in either sense.
  uint32_t Switch() const { return contact_ >> 1; }
  const ContactSpelling& Spelling() const { return *spelling_; }

  bool SameContact(const Literal& other) const { return contact_ == other.contact_; }
  bool Complements(const Literal& other) const { return (contact_ ^ other.contact_) == 1; }
  // The same spelling, not only the same contact.
  bool operator==(const Literal& other) const { return spelling_ == other.spelling_; }

private:
  const ContactSpelling* spelling_ = nullptr;
  uint32_t contact_ = 0;
};

using Term = std::vector<Literal>;  // never empty: the empty text is one empty literal
using Sum = std::vector<Term>;
using ProductOfSums = std::vector<Sum>;  // the factors; a sum is a product of one factor

// The spellings met so far. Literals point into the table, so it must
// outlive them; it only grows, and moving it keeps them valid.
class ContactNames {
public:
  Literal Of(std::string_view spelling);
  // The literal with its sense flipped: "A1" -> "a1", "dt" -> "DT", "dT" -> "DT".
  Literal Complement(const Literal& literal);
  size_t Contacts() const { return 2 * switches_.size(); }  // every Contact() is below this
  // Some spelling met so far holds a "?".
  bool AnyMarked() const { return anyMarked_; }

private:
  std::deque<ContactSpelling> spellings_;
  std::unordered_map<std::string_view, const ContactSpelling*> bySpelling_;
  std::unordered_map<std::string, uint32_t> switches_;  // "+" lower-case name, or " " verbatim text
  bool anyMarked_ = false;
};

// "X1.b+A" -> two terms; "" -> no terms. Pieces are split at every "+" and
// ".", empty pieces kept.
Sum ParseSum(std::string_view text, ContactNames& names);
// "x+y)(z" -> two factors; "" -> no factors. A factor that is empty text is
// one term of one empty literal, as the text steps read it.
ProductOfSums ParseProduct(std::string_view text, ContactNames& names);

std::string Print(const Term& term);
std::string Print(const Sum& sum);
std::string Print(const ProductOfSums& product);
void AppendText(std::string& out, const Term& term);
void AppendText(std::string& out, const Sum& sum);

// The sum's text is empty: no terms, or one term of one empty literal.
bool Blank(const Sum& sum);
// A term of more than one literal (its text holds a ".").
inline bool IsProduct(const Term& term) { return term.size() > 1; }

}  // namespace kelvo
