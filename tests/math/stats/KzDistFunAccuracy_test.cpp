// The accuracy table tests/data/dist_accuracy.txt (written by
// tools/gen_dist_accuracy.sh, with Rmath side by side) holds for this build:
// every row is present, meets its goal, and the errors measured now against
// the mpmath reference values (tests/data/dist_reference.csv, from
// tools/gen_dist_reference.py at 40 digits) agree with the recorded ones.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "KzDistAccuracy.h"

namespace {

struct Recorded {
  int points = 0;
  double goal = 0;
  double kz = 0;
};

std::map<std::string, Recorded> LoadTable(const std::string& path) {
  std::map<std::string, Recorded> table;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream ss(line);
    std::string id;
    Recorded r;
    ss >> id >> r.points >> r.goal >> r.kz;
    if (ss) table[id] = r;
  }
  return table;
}

const std::string kDataDir = KZ_DIST_DATA_DIR;

TEST(KzDistFunAccuracy, TableHoldsForThisBuild) {
  const auto ref = kzacc::LoadReference(kDataDir + "/dist_reference.csv");
  ASSERT_GT(ref.size(), 3000u);
  const auto table = LoadTable(kDataDir + "/dist_accuracy.txt");
  for (const auto& row : kzacc::Rows()) {
    SCOPED_TRACE(row.id);
    const auto it = table.find(row.id);
    ASSERT_NE(it, table.end()) << "row missing from dist_accuracy.txt";
    const Recorded& rec = it->second;
    const auto m = kzacc::MeasureRow(row, ref, kzacc::EvalKz);
    EXPECT_EQ(m.points, rec.points);
    EXPECT_EQ(row.goal, rec.goal);
    if (row.goal > 0) {
      EXPECT_LE(rec.kz, row.goal);
      EXPECT_LE(m.maxError, row.goal) << "worst at " << m.worst.name << "(" << m.worst.arg[0]
                                      << ", " << m.worst.arg[1] << ", " << m.worst.arg[2] << ")";
    }
    // The table must describe this build (printed with 3 digits).
    EXPECT_LE(m.maxError, rec.kz * 1.01 + 1e-17);
    EXPECT_GE(m.maxError, rec.kz * 0.99 - 1e-17);
  }
}

// Spot checks of single reference values, independent of the table.
TEST(KzDistFunAccuracy, ReferencePointsWithinGoals) {
  const auto ref = kzacc::LoadReference(kDataDir + "/dist_reference.csv");
  int checked = 0;
  for (const auto& p : ref) {
    if (p.name != "idfchi") continue;
    const double v = kzacc::EvalKz(p);
    EXPECT_NEAR(v, p.value, 1e-6 * p.value) << p.arg[0] << " " << p.arg[1];
    ++checked;
  }
  EXPECT_GT(checked, 100);
}

}  // namespace
