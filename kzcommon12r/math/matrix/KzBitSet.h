#ifndef KZCOMMON12R_MATH_MATRIX_KZBITSET_H
#define KZCOMMON12R_MATH_MATRIX_KZBITSET_H

#include <cstddef>
#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzMath_1_2 {

/// A fixed-length sequence of boolean flags indexed from 0: selected rows and
/// columns, and columns that a sweep or factorisation found redundant. Every
/// operation tests its indices against the size and refuses instead of growing.
class KZ_EXPORT KzBitSet {
 public:
  KzBitSet();
  /// n flags, all false; a negative n gives an empty set.
  explicit KzBitSet(int n);
  KzBitSet(const KzBitSet& other);
  KzBitSet& operator=(const KzBitSet& other);
  ~KzBitSet();

  int Size() const { return static_cast<int>(fbVec.size()); }
  /// Size n (n <= 0: empty), then every flag, old and new, set to `value`.
  void Resize(int n, bool value);
  /// Adds one flag at the end; returns the new size.
  int Append(bool value);
  /// Every flag false; the size is unchanged.
  void Clear();

  /// Sets flag i; false (no change) when i is out of range.
  bool Set(int i, bool value);
  /// Sets flags first..last; false (no change) unless 0 <= first <= last < Size().
  bool SetRange(int first, int last, bool value);
  /// Sets every listed flag; false and no change at all when any index is out
  /// of range. An empty list gives true.
  bool SetSubset(std::vector<int> indices, bool value);
  /// Flag i; false when i is out of range.
  bool IsIn(int i) const { return i >= 0 && i < Size() && fbVec[static_cast<std::size_t>(i)]; }

  /// True flags in first..last; -1 unless 0 <= first <= last < Size().
  int InRange(int first, int last) const;
  /// True flags in start..start+count-1; 0 for count 0 at a valid start
  /// (0 <= start <= Size()); -1 for a negative argument or a range past the end.
  int InRangeS(int start, int count) const;
  /// True flags in the whole set.
  int InSet() const;

  /// Inverts every flag.
  void Negate();
  /// This set becomes a AND b, truncated to the shorter length. Either operand
  /// may be this set.
  void DoAND(const KzBitSet& a, const KzBitSet& b);
  /// This set becomes a OR b, truncated to the shorter length. Either operand
  /// may be this set.
  void DoOR(const KzBitSet& a, const KzBitSet& b);
  /// Flags first..last re-indexed from 0, the range clipped to the set; empty
  /// when nothing remains.
  KzBitSet GetSubset(int first, int last);
  /// True when some i < min(n, Size()) has this[i] true and other[i] false (an
  /// index past other's end counts as false there).
  bool IsNewFalse(const KzBitSet& other, int n) const;

  /// Same size and the same flags.
  bool operator==(const KzBitSet& other) const { return fbVec == other.fbVec; }
  bool operator!=(const KzBitSet& other) const { return !(*this == other); }
  /// Lexicographic, false before true; a proper prefix orders first.
  bool operator<(const KzBitSet& other) const { return fbVec < other.fbVec; }

  /// "KzBitSet display start", the flags, "KzBitSet display end".
  void Display() const;

 private:
  int CountTrue(int first, int count) const;

  std::vector<bool> fbVec;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_MATRIX_KZBITSET_H
