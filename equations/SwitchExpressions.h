#pragma once
// The operations of the synthesis on switch expressions (Expression.h). Each
// is a fixed sequence of steps working in place on the synthesis's working
// slots, so term order, literal order and which copy of a duplicate survives
// follow from the steps:
//   ComplementExpressions: sum of products -> product of sums (x+y)(z)
//   ExpandProducts:        product of sums -> sum of products
//   MergeAdjacentTerms:    X.Y.z+X.Y.Z -> X.Y, one pass
//   SimplifyExpressions:   repeated literals, contradictions, absorption
// Contacts compare as switches (Literal::SameContact, Literal::Complements),
// so "Start" and "START" are one contact and "start" its complement; the
// spelling kept is the one written. Blank slots are skipped by every
// operation, and so is a sum of one term. Products that would grow past
// kMaxExpandedTerms are not multiplied out and are reported instead.

#include <array>
#include <optional>
#include <string>

#include "equations/Expression.h"

namespace kelvo {

inline constexpr int kWorkEquationSlots = 8;  // WorkEquations 0..7
inline constexpr int kResetWorkSlots = 6;     // ResetWork 0..5; 0..3 are A..D
inline constexpr int kResetVariables = 4;
inline constexpr size_t kMaxExpandedTerms = 65536;

using WorkEquations = std::array<Sum, kWorkEquationSlots>;
using ResetWork = std::array<ProductOfSums, kResetWorkSlots>;

// De Morgan on a sum: each term of several literals becomes a factor of their
// complements, and each run of one-literal terms one product term of theirs:
// X.Y+Z+W -> (x+y)(z.w).
ProductOfSums ComplementSum(const Sum& sum, ContactNames& names);
// The product multiplied out, each new term the later factor's literals
// first; none when it would have more than kMaxExpandedTerms terms.
std::optional<Sum> ExpandProduct(const ProductOfSums& product);

// Slots 0..3, each a product of one factor, are complemented.
void ComplementExpressions(ResetWork& work, ContactNames& names);
// Returns, per slot 0..3, whether its product was too large to multiply out;
// such a slot keeps its product of sums.
std::array<bool, kResetVariables> ExpandProducts(ResetWork& work);
void MergeAdjacentTerms(WorkEquations& work);
// `names` holds the spellings; only a text holding "?" can add to it.
void SimplifyExpressions(WorkEquations& work, ContactNames& names);

// The single passes, applied to one sum (of any number of terms).
void RemoveRepeatedLiterals(Sum& sum);
void RemoveContradictoryTerms(Sum& sum);
void RemoveAbsorbedTerms(Sum& sum, ContactNames& names);
void MergeAdjacentTermsOnce(Sum& sum);

}  // namespace kelvo
