#include "support/KzRefusal.h"

#include <cstdint>
#include <cstdio>

#include "kzcommon12r/math/matrix/IKzRectMatrix.h"
#include "kzcommon12r/math/matrix/IKzSymMatrix.h"
#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzRectMatrixData.h"
#include "kzcommon12r/math/matrix/KzSymMatrixData.h"

namespace kztest {

namespace {

std::uint64_t Bits(double x) {
  std::uint64_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

bool SameBits(double a, double b) { return Bits(a) == Bits(b); }

std::string ShowValue(double x) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.17g", x);
  return buf;
}

}  // namespace

bool State::operator==(const State& other) const {
  if (counts != other.counts || values.size() != other.values.size()) return false;
  for (std::size_t k = 0; k < values.size(); ++k)
    if (!SameBits(values[k], other.values[k])) return false;
  return true;
}

std::string State::FirstDifference(const State& after) const {
  if (counts != after.counts) {
    std::string text = "counts were";
    for (long long c : counts) text += " " + std::to_string(c);
    text += ", now";
    for (long long c : after.counts) text += " " + std::to_string(c);
    return text;
  }
  if (values.size() != after.values.size())
    return "value count was " + std::to_string(values.size()) + ", now " +
           std::to_string(after.values.size());
  for (std::size_t k = 0; k < values.size(); ++k)
    if (!SameBits(values[k], after.values[k]))
      return "value " + std::to_string(k) + " was " + ShowValue(values[k]) + ", now " +
             ShowValue(after.values[k]);
  return "no difference";
}

State StateOf(double x) { return State{{}, {x}}; }

State StateOf(const std::vector<double>& v) { return State{{static_cast<long long>(v.size())}, v}; }

State StateOf(const std::vector<int>& v) {
  State s;
  s.counts.push_back(static_cast<long long>(v.size()));
  s.counts.insert(s.counts.end(), v.begin(), v.end());
  return s;
}

State StateOf(const KzMath_1_2::KzBitSet& set) {
  State s;
  s.counts.push_back(set.Size());
  for (int i = 0; i < set.Size(); ++i) s.counts.push_back(set.IsIn(i) ? 1 : 0);
  return s;
}

State StateOf(const KzMath_1_2::IKzRectMatrix& m) {
  State s;
  s.counts = {m.GetMatrixType(), m.IsValidMatrix() ? 1 : 0, m.GetNRows(), m.GetNCols()};
  for (int r = 0; r < m.GetNRows(); ++r)
    for (int c = 0; c < m.GetNCols(); ++c) s.values.push_back(m.GetElem(r, c));
  return s;
}

State StateOf(const KzMath_1_2::IKzSymMatrix& m) {
  State s;
  s.counts = {m.GetType(), m.IsValidMatrix() ? 1 : 0, m.GetNRows()};
  for (int i = 0; i < m.GetNRows(); ++i)
    for (int j = 0; j <= i; ++j) s.values.push_back(m.GetElem(i, j));
  return s;
}

State StateOf(const KzMath_1_2::KzRectMatrixData& m) {
  return State{{m.GetMatrixType(), m.GetNRows(), m.GetNCols()}, m.AsVectorConst()};
}

State StateOf(const KzMath_1_2::KzSymMatrixData& m) {
  return State{{m.GetType(), m.GetNRows(), m.GetNBlocks(), m.GetBlockSize()}, m.AsVectorConst()};
}

}  // namespace kztest
