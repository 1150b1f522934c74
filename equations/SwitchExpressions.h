#pragma once
// The text operations of the synthesis. Each is a fixed sequence of split,
// compare and join steps working in place on the synthesis's working slots,
// so term order and which copy of a duplicate survives follow from the steps:
//   ComplementExpressions: sum of products -> product-of-sums text "x+y)(z"
//   ExpandProducts:        product-of-sums text -> sum of products
//   MergeAdjacentTerms:    X.Y.z+X.Y.Z -> X.Y, one pass
//   SimplifyExpressions:   repeated literals, contradictions, absorption
// Contacts compare as switches (SameContact, ComplementContacts), so "Start"
// and "START" are one contact and "start" its complement; the text kept is the
// text written. Empty slots are skipped by every operation. Malformed text gives malformed
// text, never a crash; products that would grow past kMaxExpandedTerms are not
// multiplied out and are reported instead.

#include <array>
#include <string>

namespace kelvo {

inline constexpr int kWorkEquationSlots = 8;  // WorkEquations 0..7
inline constexpr int kResetWorkSlots = 6;     // ResetWork 0..5; 0..3 are A..D
inline constexpr int kResetVariables = 4;
inline constexpr size_t kMaxExpandedTerms = 65536;

using WorkEquations = std::array<std::string, kWorkEquationSlots>;
using ResetWork = std::array<std::string, kResetWorkSlots>;

// Flips the sense of a literal: "A1" -> "a1", "dt" -> "DT", "dT" -> "DT".
std::string ComplementLiteral(const std::string& literal);

void ComplementExpressions(ResetWork& work);
// Returns, per slot 0..3, whether its product was too large to multiply out;
// such a slot keeps its product-of-sums text.
std::array<bool, kResetVariables> ExpandProducts(ResetWork& work);
void MergeAdjacentTerms(WorkEquations& work);
void SimplifyExpressions(WorkEquations& work);

// The single passes, applied to one sum.
std::string RemoveRepeatedLiterals(const std::string& sum);
std::string RemoveContradictoryTerms(const std::string& sum);
std::string RemoveAbsorbedTerms(const std::string& sum);
std::string MergeAdjacentTermsOnce(const std::string& sum);

}  // namespace kelvo
