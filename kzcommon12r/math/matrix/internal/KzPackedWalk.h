#ifndef KZCOMMON12R_MATH_MATRIX_INTERNAL_KZPACKEDWALK_H
#define KZCOMMON12R_MATH_MATRIX_INTERNAL_KZPACKEDWALK_H

// Cursors over a packed lower triangle (element (i, j), j <= i, at
// i(i+1)/2 + j) and over vectors that hold one, shared by the symmetric-matrix
// sources. Not installed.
//
// Reading a full row i of the symmetric matrix takes the contiguous packed row
// (i, 0..i) and then column i below the diagonal, whose elements lie i+1,
// i+2, ... apart. The same column steps, started anywhere, are the "growing"
// walk on a vector holding a packed triangle; the "delayed" walk first takes m
// unit steps along a packed row. Positions are 64-bit: a walk over a triangle
// of order above 46340 passes the int range.

#include <cstddef>
#include <cstdint>

namespace KzMath_1_2 {
namespace internal {

/// Position of the first element of packed row i: i(i+1)/2.
inline std::size_t PackedRowStart(int i) {
  const std::size_t k = static_cast<std::size_t>(i);
  return k * (k + 1) / 2;
}

/// The elements (i, 0), (i, 1), ..., (i, n-1) of a packed symmetric matrix in
/// order: the packed row up to the diagonal, then down column i.
class PackedRowReader {
 public:
  PackedRowReader(const double* data, int i)
      : m_data(data), m_row(data + PackedRowStart(i)), m_i(i), m_t(0),
        m_colPos(PackedRowStart(i + 1) + static_cast<std::size_t>(i)) {}
  /// Element (i, t) for the next t.
  double Next() {
    if (m_t <= m_i) return m_row[m_t++];
    const double x = m_data[m_colPos];
    m_colPos += static_cast<std::size_t>(++m_t);  // (t, i) -> (t + 1, i): t + 1 on
    return x;
  }

 private:
  const double* m_data;
  const double* m_row;
  int m_i;
  int m_t;
  std::size_t m_colPos;
};

/// The elements (i, i), (i + 1, i), ... of column i from the diagonal down
/// (column i of the Cholesky factor L held in the triangle).
class PackedColumnReader {
 public:
  PackedColumnReader(const double* data, int i)
      : m_data(data), m_pos(PackedRowStart(i) + static_cast<std::size_t>(i)), m_t(i) {}
  /// Element (t, i) for the next t >= i.
  double Next() {
    const double x = m_data[m_pos];
    m_pos += static_cast<std::size_t>(++m_t);
    return x;
  }

 private:
  const double* m_data;
  std::size_t m_pos;
  int m_t;
};

/// Growing walk: w_0 = start, w_(t+1) = w_t + incr + t, so that
/// w_t = start + t incr + t(t-1)/2.
class GrowingWalk {
 public:
  GrowingWalk(std::int64_t start, std::int64_t incr) : m_pos(start), m_step(incr) {}
  /// w_t of a walk from start with increment incr (t >= 0).
  static std::int64_t At(std::int64_t start, std::int64_t incr, std::int64_t t) {
    return start + t * incr + t * (t - 1) / 2;
  }
  /// The next position.
  std::int64_t Next() {
    const std::int64_t p = m_pos;
    m_pos += m_step++;
    return p;
  }

 private:
  std::int64_t m_pos;
  std::int64_t m_step;
};

/// Delayed walk: p_0 = start, m unit steps, then steps incr, incr + 1, ...
class DelayedWalk {
 public:
  DelayedWalk(std::int64_t start, std::int64_t m, std::int64_t incr)
      : m_pos(start), m_units(m), m_step(incr) {}
  /// The last of n >= 1 positions: start + q + incr u + u(u-1)/2 with
  /// q = min(n-1, m) unit steps and u = n-1-q growing ones.
  static std::int64_t Last(std::int64_t start, std::int64_t m, std::int64_t incr,
                           std::int64_t n) {
    const std::int64_t q = n - 1 < m ? n - 1 : m;
    const std::int64_t u = n - 1 - q;
    return start + q + incr * u + u * (u - 1) / 2;
  }
  /// The next position.
  std::int64_t Next() {
    const std::int64_t p = m_pos;
    if (m_units > 0) {
      --m_units;
      m_pos += 1;
    } else {
      m_pos += m_step++;
    }
    return p;
  }

 private:
  std::int64_t m_pos;
  std::int64_t m_units;
  std::int64_t m_step;
};

}  // namespace internal
}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_MATRIX_INTERNAL_KZPACKEDWALK_H
