#ifndef KZCOMMON12R_MATH_STATS_KZPACKEDINT_H
#define KZCOMMON12R_MATH_STATS_KZPACKEDINT_H

#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzMath_1_2 {

/// Mixed-radix packing of a sequence of n small integers, position i taking
/// the nDiff_i values lower, ..., lower + nDiff_i - 1, into as few integers
/// ("units") as possible, each below KzHashKey::GetElementUpperBound() (as
/// read when the layout is set up), so that the packed sequence serves as a
/// short KzHashKey.
///
/// Layout: positions are taken in order; a position joins the current unit
/// while the product of the unit's numbers of values, its own included, stays
/// within the bound, and otherwise starts the next unit. Within a unit the
/// positions are combined least significant first:
///   unit value = sum (value_i - lower) * (product of nDiff over the unit's
///                earlier positions).
/// A position with more values than the bound gets a unit of its own (then
/// above the bound); when that is the first position, unit 0 stays empty and
/// always packs to 0.
class KZ_EXPORT KzPackedInt {
 public:
  /// Empty: n = 0, no units.
  KzPackedInt();
  /// SetForSequence(n, lowerBound, nDiff), its result ignored (a refused
  /// layout leaves an empty object).
  KzPackedInt(int n, int lowerBound, const std::vector<int>& nDiff);
  KzPackedInt(const KzPackedInt& other);
  KzPackedInt& operator=(const KzPackedInt& other);
  ~KzPackedInt();

  /// Stores the lower bound and the first n numbers of values and sets up the
  /// units. False, leaving n = 0 and no units, when n <= 0, nDiff has fewer
  /// than n entries, an entry is below 1, or a largest value
  /// lower + nDiff_i - 1 does not fit an int.
  bool SetForSequence(int n, int lowerBound, const std::vector<int>& nDiff);

  int GetLowerBound() const { return m_lower; }
  /// The number of values of position i, or -1 when i is outside [0, n).
  int GetNDiffVal(int i) const;

  /// Packs values[0..n) into `packed` (resized to the number of units when its
  /// size differs). False, nothing written, when `values` holds fewer than n
  /// entries, or, with `check`, when a value lies outside its range. Without
  /// `check` the caller vouches for the ranges; an out-of-range value then
  /// gives meaningless (but defined) units.
  bool Pack(const std::vector<int>& values, std::vector<int>& packed, bool check) const;
  /// Unpacks `packed` into values[0..n) (`values` grows to n when shorter;
  /// later entries are kept). False, nothing written, when `packed` holds
  /// fewer entries than units or a unit lies outside [0, product of its
  /// numbers of values), which no Pack of in-range values produces.
  bool Unpack(std::vector<int>& values, const std::vector<int>& packed) const;

  /// "KzPackedInt display start", the sequence size, the lower bound, the
  /// numbers of values, the number of units, the unit of each position, the
  /// running products, "KzPackedInt display end".
  void Display() const;

 private:
  // True when position i starts its unit.
  bool StartsUnit(int i) const { return i == 0 || m_unit[i - 1] != m_unit[i]; }

  int m_n;
  int m_lower;
  std::vector<int> m_nDiff;
  int m_nUnits;
  /// The unit of each position (non-decreasing).
  std::vector<int> m_unit;
  /// For each position, the product of nDiff over its unit's positions up to
  /// and including it.
  std::vector<int> m_products;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_STATS_KZPACKEDINT_H
