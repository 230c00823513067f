// The example job end to end: the Longley regression against the NIST
// certified values, and every kind of bad input ending with one error line
// and a non-zero exit status.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

struct ExampleRun {
  int status = -1;
  std::string out, err;
};

std::string ScratchPath(const std::string& name) {
  return ::testing::TempDir() + "kz_example_" + std::to_string(::getpid()) + "_" + name;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

ExampleRun RunExample(const std::string& args) {
  const std::string outPath = ScratchPath("stdout.txt");
  const std::string errPath = ScratchPath("stderr.txt");
  const std::string command =
      std::string("'") + KZ_EXAMPLE_EXE + "' " + args + " >'" + outPath + "' 2>'" + errPath + "'";
  ExampleRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = Slurp(outPath);
  run.err = Slurp(errPath);
  std::remove(outPath.c_str());
  std::remove(errPath.c_str());
  return run;
}

std::string WriteCsv(const std::string& name, const std::string& text) {
  const std::string path = ScratchPath(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// Number of significant digits to which `actual` agrees with `certified`.
double Digits(double certified, double actual) {
  const double rel = std::fabs(actual - certified) / std::fabs(certified);
  return rel == 0 ? 17.0 : -std::log10(rel);
}

// Parses the rows of the coefficient table: name, estimate, standard error.
std::map<std::string, std::pair<double, double>> ParseTable(const std::string& out) {
  std::map<std::string, std::pair<double, double>> rows;
  std::istringstream lines(out);
  std::string line;
  bool inTable = false;
  while (std::getline(lines, line)) {
    if (line.rfind("Term", 0) == 0) {
      inTable = true;
      continue;
    }
    if (!inTable) continue;
    if (line.empty()) break;
    std::istringstream fields(line);
    std::string name, estimate, stdError;
    fields >> name >> estimate >> stdError;
    if (estimate == "aliased") continue;
    rows[name] = {std::stod(estimate), std::stod(stdError)};
  }
  return rows;
}

TEST(KzExample, LongleyMatchesTheCertifiedValues) {
  const ExampleRun run = RunExample("");
  ASSERT_EQ(run.status, 0) << run.err;
  // NIST StRD Longley: certified estimates and standard deviations.
  const struct {
    const char* name;
    double estimate, stdDev;
  } certified[] = {
      {"(Intercept)", -3482258.63459582, 890420.383607373},
      {"x1", 15.0618722713733, 84.9149257747669},
      {"x2", -0.358191792925910E-01, 0.334910077722432E-01},
      {"x3", -2.02022980381683, 0.488399681651699},
      {"x4", -1.03322686717359, 0.214274163161675},
      {"x5", -0.511041056535807E-01, 0.226073200069370},
      {"x6", 1829.15146461355, 455.478499142212},
  };
  const auto rows = ParseTable(run.out);
  ASSERT_EQ(rows.size(), 7u) << run.out;
  for (const auto& c : certified) {
    const auto it = rows.find(c.name);
    ASSERT_NE(it, rows.end()) << c.name << "\n" << run.out;
    EXPECT_GE(Digits(c.estimate, it->second.first), 7.0) << c.name;
    EXPECT_GE(Digits(c.stdDev, it->second.second), 7.0) << c.name;
  }
  EXPECT_NE(run.out.find("R-squared: 0.9954790"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("on 9 degrees of freedom"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("F statistic: 330.28533"), std::string::npos) << run.out;
}

TEST(KzExample, WritesTheResultsAsXml) {
  const std::string xml = ScratchPath("result.xml");
  const ExampleRun run = RunExample("--xml '" + xml + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string text = Slurp(xml);
  std::remove(xml.c_str());
  EXPECT_EQ(text.rfind("<?xml", 0), 0u) << text;
  EXPECT_NE(text.find("<Coefficient"), std::string::npos);
  EXPECT_NE(text.find("name=\"x6\""), std::string::npos);
  EXPECT_NE(text.find("</Regression>"), std::string::npos);
}

TEST(KzExample, SkipsCasesWithEmptyCellsAndReportsAliasedPredictors) {
  // b = 2a exactly: aliased with a. Two rows have an empty cell.
  const std::string path = WriteCsv("aliased.csv",
                                    "y,a,b,c\n"
                                    "1.0,1,2,5\n"
                                    "2.5,2,4,3\n"
                                    "2.9,3,6,4\n"
                                    ",4,8,1\n"
                                    "4.2,5,,2\n"
                                    "5.1,6,12,7\n"
                                    "6.3,7,14,2\n");
  const ExampleRun run = RunExample("'" + path + "'");
  std::remove(path.c_str());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("skipped for missing values: 2"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("aliased"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("1 predictor(s) aliased"), std::string::npos) << run.out;
}

TEST(KzExample, BadInputGivesOneErrorLineAndExitStatus) {
  struct Case {
    const char* name;
    std::string csv;  // empty: no file is written
    std::string args;
    const char* message;
  } const cases[] = {
      {"missing_file", "", "'/nonexistent/dir/data.csv'", "cannot open"},
      {"unknown_target", "y,x\n1,2\n2,3\n3,5\n", "--target z", "no column named 'z'"},
      {"non_numeric", "y,x\n1,2\n2,abc\n3,5\n", "", "line 3, column 'x': not a number: 'abc'"},
      {"constant_column", "y,x,k\n1,2,7\n2,3,7\n3,5,7\n4,4,7\n", "", "predictor 'k' is constant"},
      {"all_missing_column", "y,x,m\n1,2,\n2,3,\n3,5,\n", "", "column 'm' has no values"},
      {"too_few_cases", "y,a,b,c\n1,2,3,4\n2,3,5,1\n3,5,1,1\n", "", "too few cases"},
      {"ragged_row", "y,x\n1,2\n2\n", "", "line 3: 1 cells"},
  };
  for (const Case& c : cases) {
    std::string args = c.args;
    std::string path;
    if (!c.csv.empty()) {
      path = WriteCsv(std::string(c.name) + ".csv", c.csv);
      args = "'" + path + "' " + args;
    }
    const ExampleRun run = RunExample(args);
    if (!path.empty()) std::remove(path.c_str());
    EXPECT_EQ(run.status, 1) << c.name << ": " << run.err;
    EXPECT_EQ(run.out, "") << c.name;
    EXPECT_EQ(run.err.rfind("kz_example: error: ", 0), 0u) << c.name << ": " << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << ": " << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.name << ": " << run.err;
  }
}

TEST(KzExample, UsageErrors) {
  const ExampleRun run = RunExample("--tolerance 0");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("usage: kz_example"), std::string::npos) << run.err;
}

}  // namespace
