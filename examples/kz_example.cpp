// The example job: a weighted linear regression fitted the way a model-building
// component uses the library.
//
//  1. Read a CSV file case by case (the bundled Longley data by default).
//  2. Accumulate weighted means and centred cross-products with provisional
//     means (KzProvMeans); a case with an empty cell is skipped and counted.
//  3. Sweep the predictor pivots of the cross-product matrix with a tolerance;
//     a predictor aliased with the ones before it is reported, not an error.
//  4. Coefficients, standard errors, t statistics and two-sided p-values,
//     R-squared and the F test, printed as a table and optionally written as
//     an XML document.
//
// Usage: kz_example [FILE.csv] [--target NAME] [--weight NAME] [--tolerance EPS]
//                   [--xml FILE]

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "CsvReader.h"
#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "kzcommon12r/math/stats/KzDistFun.h"
#include "kzcommon12r/math/stats/KzProvMeans.h"
#include "kzcommon12r/xml/XMLElement.h"
#include "kzcommon12r/xml/XMLWriter.h"

#ifndef KZ_EXAMPLE_DATA_DIR
#define KZ_EXAMPLE_DATA_DIR "examples/data"
#endif

namespace {

using KzCommon_1_2::KzMV;
using KzMath_1_2::KzBitSet;
using KzMath_1_2::KzDistFun;
using KzMath_1_2::KzProvMeans;
using KzMath_1_2::KzSymMatrix;

// Bad input: reported as one line and a non-zero exit status.
struct InputError : std::runtime_error {
  using std::runtime_error::runtime_error;
};
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Options {
  std::string csvPath = std::string(KZ_EXAMPLE_DATA_DIR) + "/longley.csv";
  std::string target;  // default: the first column
  std::string weight;  // default: every case weighs 1
  std::string xmlPath;
  double tolerance = 1e-10;
};

// Everything the accumulation pass learned about the data.
struct Accumulated {
  std::vector<std::string> predictors;
  std::string target;
  long long rowsRead = 0;
  long long casesUsed = 0;
  long long casesSkipped = 0;
  KzProvMeans moments;  // predictors first, the target last
};

struct Coefficient {
  std::string name;
  bool aliased = false;
  double estimate = 0, stdError = 0, t = 0, p = 0;
};

struct Fit {
  std::vector<Coefficient> coefficients;  // the intercept first
  double sumWeights = 0, rss = 0, tss = 0, rSquared = 0, adjRSquared = 0;
  double residualSE = 0, fStatistic = 0, fPValue = 0;
  int dfModel = 0;
  double dfResidual = 0;
  int aliasedCount = 0;
};

Options ParseArguments(int argc, char** argv) {
  Options options;
  bool havePath = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](const char* what) -> std::string {
      if (i + 1 >= argc) throw UsageError(arg + " needs " + what);
      return argv[++i];
    };
    if (arg == "--target") {
      options.target = value("a column name");
    } else if (arg == "--weight") {
      options.weight = value("a column name");
    } else if (arg == "--xml") {
      options.xmlPath = value("a file name");
    } else if (arg == "--tolerance") {
      const std::string text = value("a number");
      double eps = 0;
      bool empty = false;
      if (!kzexample::CsvReader::ParseNumber(text, eps, empty) || !(eps > 0) || eps >= 1)
        throw UsageError("--tolerance needs a number between 0 and 1, not '" + text + "'");
      options.tolerance = eps;
    } else if (arg == "-h" || arg == "--help") {
      throw UsageError("");
    } else if (!arg.empty() && arg[0] == '-') {
      throw UsageError("unknown option '" + arg + "'");
    } else if (!havePath) {
      options.csvPath = arg;
      havePath = true;
    } else {
      throw UsageError("more than one input file given");
    }
  }
  return options;
}

int FindColumn(const std::vector<std::string>& header, const std::string& name) {
  for (size_t c = 0; c < header.size(); ++c)
    if (header[c] == name) return static_cast<int>(c);
  return -1;
}

// Pass over the file: one provisional-means update per complete case.
void Accumulate(const Options& options, Accumulated& acc) {
  kzexample::CsvReader reader;
  std::string error;
  if (!reader.Open(options.csvPath, error)) throw InputError(error);
  const std::vector<std::string>& header = reader.Header();
  if (header.size() < 2) throw InputError("'" + options.csvPath + "' needs at least two columns");

  acc.target = options.target.empty() ? header.front() : options.target;
  const int targetCol = FindColumn(header, acc.target);
  if (targetCol < 0) throw InputError("no column named '" + acc.target + "' in the header");
  int weightCol = -1;
  if (!options.weight.empty()) {
    weightCol = FindColumn(header, options.weight);
    if (weightCol < 0) throw InputError("no column named '" + options.weight + "' in the header");
    if (weightCol == targetCol) throw InputError("the weight column cannot be the target");
  }

  // Variables in accumulation order: the predictors, then the target.
  std::vector<int> columns;
  for (size_t c = 0; c < header.size(); ++c) {
    if (static_cast<int>(c) == targetCol || static_cast<int>(c) == weightCol) continue;
    columns.push_back(static_cast<int>(c));
    acc.predictors.push_back(header[c]);
  }
  columns.push_back(targetCol);
  const size_t nVars = columns.size();
  acc.moments = KzProvMeans(static_cast<int>(nVars), true);

  std::vector<long long> valuesSeen(header.size(), 0);
  std::vector<std::string_view> cells;
  std::vector<double> x(nVars);
  const long long kProgressEvery = 1000000;
  while (reader.NextRow(cells, error)) {
    ++acc.rowsRead;
    if (cells.size() != header.size())
      throw InputError("line " + std::to_string(reader.LineNumber()) + ": " +
                       std::to_string(cells.size()) + " cells, the header has " +
                       std::to_string(header.size()));
    bool complete = true;
    auto read = [&](int col, double& value) {
      bool empty = false;
      if (kzexample::CsvReader::ParseNumber(cells[static_cast<size_t>(col)], value, empty)) {
        ++valuesSeen[static_cast<size_t>(col)];
        return;
      }
      if (!empty)
        throw InputError("line " + std::to_string(reader.LineNumber()) + ", column '" +
                         header[static_cast<size_t>(col)] + "': not a number: '" +
                         std::string(cells[static_cast<size_t>(col)]) + "'");
      complete = false;
    };
    for (size_t v = 0; v < nVars; ++v) read(columns[v], x[v]);
    double w = 1.0;
    if (weightCol >= 0) {
      read(weightCol, w);
      if (complete && w < 0)
        throw InputError("line " + std::to_string(reader.LineNumber()) + ": negative weight");
    }
    if (!complete || w == 0) {
      ++acc.casesSkipped;
    } else {
      acc.moments.Update(x, w);
      ++acc.casesUsed;
    }
    if (acc.rowsRead % kProgressEvery == 0)
      std::fprintf(stderr, "\rread %lld rows", acc.rowsRead);
  }
  if (!error.empty()) throw InputError(error);
  if (acc.rowsRead >= kProgressEvery) std::fprintf(stderr, "\rread %lld rows\n", acc.rowsRead);

  for (size_t v = 0; v < nVars; ++v)
    if (valuesSeen[static_cast<size_t>(columns[v])] == 0)
      throw InputError("column '" + header[static_cast<size_t>(columns[v])] +
                       "' has no values (all cells empty)");
  if (acc.casesUsed == 0) throw InputError("no case has a value in every column");
}

double TwoSidedT(double t, double df) {
  const double p = KzDistFun::SigT(std::fabs(t), df);
  return KzMV::IsMissing(p) ? p : 2.0 * p;
}

Fit FitRegression(const Accumulated& acc, double tolerance) {
  const int p = static_cast<int>(acc.predictors.size());
  const int n = p + 1;  // the target is the last variable
  const std::vector<double>& means = acc.moments.GetMeans();
  KzSymMatrix m(acc.moments.GetXProds());
  std::vector<double> d;
  m.GetDiagonal(d);

  Fit fit;
  fit.sumWeights = acc.moments.GetNCases();
  fit.tss = d[static_cast<size_t>(p)];
  if (!(fit.tss > 0)) throw InputError("the target '" + acc.target + "' is constant");
  for (int k = 0; k < p; ++k)
    if (!(d[static_cast<size_t>(k)] > 0))
      throw InputError("predictor '" + acc.predictors[static_cast<size_t>(k)] + "' is constant");

  // Sweep each predictor pivot; a pivot that fails the tolerance test is
  // aliased with the predictors swept before it and stays out of the model.
  KzBitSet swept(n);
  for (int k = 0; k < p; ++k)
    if (!m.Sweep(k, tolerance, d, swept, true)) ++fit.aliasedCount;

  fit.dfModel = p - fit.aliasedCount;
  fit.dfResidual = fit.sumWeights - 1.0 - fit.dfModel;
  if (!(fit.dfResidual > 0))
    throw InputError("too few cases: " + std::to_string(acc.casesUsed) + " cases for " +
                     std::to_string(fit.dfModel + 1) + " parameters");

  fit.rss = m.GetElem(p, p);
  const double mse = fit.rss / fit.dfResidual;
  fit.residualSE = std::sqrt(mse);
  fit.rSquared = 1.0 - fit.rss / fit.tss;
  fit.adjRSquared = 1.0 - (1.0 - fit.rSquared) * (fit.sumWeights - 1.0) / fit.dfResidual;
  if (fit.dfModel > 0) {
    fit.fStatistic = ((fit.tss - fit.rss) / fit.dfModel) / mse;
    fit.fPValue = KzDistFun::SigF(fit.fStatistic, fit.dfModel, fit.dfResidual);
  }

  // The swept block holds -(X'X)^-1 of the centred predictors; row p holds
  // the coefficients. The intercept is mean(y) - sum b_k mean(x_k), with
  // variance mse (1/W + m' (X'X)^-1 m).
  Coefficient intercept;
  intercept.name = "(Intercept)";
  intercept.estimate = means[static_cast<size_t>(p)];
  double quad = 0;
  for (int k = 0; k < p; ++k) {
    Coefficient c;
    c.name = acc.predictors[static_cast<size_t>(k)];
    c.aliased = !swept.IsIn(k);
    if (!c.aliased) {
      c.estimate = m.GetElem(p, k);
      c.stdError = std::sqrt(-m.GetElem(k, k) * mse);
      c.t = c.estimate / c.stdError;
      c.p = TwoSidedT(c.t, fit.dfResidual);
      intercept.estimate -= c.estimate * means[static_cast<size_t>(k)];
      for (int j = 0; j < p; ++j)
        if (swept.IsIn(j))
          quad -= means[static_cast<size_t>(k)] * m.GetElem(k, j) * means[static_cast<size_t>(j)];
    }
    fit.coefficients.push_back(c);
  }
  intercept.stdError = std::sqrt(mse * (1.0 / fit.sumWeights + quad));
  intercept.t = intercept.estimate / intercept.stdError;
  intercept.p = TwoSidedT(intercept.t, fit.dfResidual);
  fit.coefficients.insert(fit.coefficients.begin(), intercept);
  return fit;
}

std::string Num(const char* format, double x) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, x);
  return buf;
}

std::string PValueText(double p) {
  if (KzMV::IsMissing(p)) return "?";
  // Below the double epsilon a p-value says only that it is tiny.
  if (p < 2.2e-16) return "<2.2e-16";
  return p < 1e-4 ? Num("%.3g", p) : Num("%.6f", p);
}

void PrintTable(const Options& options, const Accumulated& acc, const Fit& fit) {
  std::printf("Linear regression of %s on %zu predictors (%s)\n", acc.target.c_str(),
              acc.predictors.size(), options.csvPath.c_str());
  std::printf("Cases used: %lld   skipped for missing values: %lld   sum of weights: %.10g\n\n",
              acc.casesUsed, acc.casesSkipped, fit.sumWeights);
  size_t width = 11;
  for (const Coefficient& c : fit.coefficients) width = std::max(width, c.name.size());
  std::printf("%-*s %20s %20s %10s %12s\n", static_cast<int>(width), "Term", "Estimate",
              "Std. Error", "t value", "Pr(>|t|)");
  for (const Coefficient& c : fit.coefficients) {
    if (c.aliased) {
      std::printf("%-*s %20s %20s %10s %12s\n", static_cast<int>(width), c.name.c_str(),
                  "aliased", "-", "-", "-");
      continue;
    }
    std::printf("%-*s %20s %20s %10s %12s\n", static_cast<int>(width), c.name.c_str(),
                Num("%.12g", c.estimate).c_str(), Num("%.12g", c.stdError).c_str(),
                Num("%.3f", c.t).c_str(), PValueText(c.p).c_str());
  }
  std::printf("\nResidual standard error: %.10g on %.10g degrees of freedom\n", fit.residualSE,
              fit.dfResidual);
  std::printf("R-squared: %.10g   adjusted R-squared: %.10g\n", fit.rSquared, fit.adjRSquared);
  if (fit.dfModel > 0)
    std::printf("F statistic: %.10g on %d and %.10g DF, p-value: %s\n", fit.fStatistic,
                fit.dfModel, fit.dfResidual, PValueText(fit.fPValue).c_str());
  if (fit.aliasedCount > 0)
    std::printf("%d predictor(s) aliased with earlier ones (tolerance %g) and left out\n",
                fit.aliasedCount, options.tolerance);
}

void WriteXml(const Options& options, const Accumulated& acc, const Fit& fit) {
  using KzXML_1_2::XMLElement;
  std::unique_ptr<XMLElement> root(XMLElement::Create("Regression"));
  root->AddAttribute("target", acc.target);
  root->AddAttribute("source", options.csvPath);
  root->AddAttribute("casesUsed", static_cast<double>(acc.casesUsed));
  root->AddAttribute("casesSkipped", static_cast<double>(acc.casesSkipped));
  root->AddAttribute("sumOfWeights", fit.sumWeights);
  root->AddAttribute("tolerance", options.tolerance);
  XMLElement* table = XMLElement::Create("Coefficients");
  for (const Coefficient& c : fit.coefficients) {
    XMLElement* e = XMLElement::Create("Coefficient");
    e->AddAttribute("name", c.name);
    if (c.aliased) {
      e->AddAttribute("aliased", "true");
    } else {
      e->AddAttribute("estimate", c.estimate);
      e->AddAttribute("stdError", c.stdError);
      e->AddAttribute("t", c.t);
      e->AddAttribute("pValue", c.p);
    }
    table->AddElement(e);
  }
  root->AddElement(table);
  XMLElement* summary = XMLElement::Create("Summary");
  summary->AddAttribute("rSquared", fit.rSquared);
  summary->AddAttribute("adjustedRSquared", fit.adjRSquared);
  summary->AddAttribute("residualStdError", fit.residualSE);
  summary->AddAttribute("dfModel", static_cast<double>(fit.dfModel));
  summary->AddAttribute("dfResidual", fit.dfResidual);
  if (fit.dfModel > 0) {
    summary->AddAttribute("F", fit.fStatistic);
    summary->AddAttribute("FpValue", fit.fPValue);
  }
  root->AddElement(summary);

  std::ofstream out(options.xmlPath, std::ios::binary);
  if (!out) throw InputError("cannot write '" + options.xmlPath + "'");
  KzXML_1_2::WriteTreeUTF8(out, nullptr, root.get(), true);
  out << '\n';
  out.flush();
  if (!out) throw InputError("error writing '" + options.xmlPath + "'");
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Options options = ParseArguments(argc, argv);
    Accumulated acc;
    Accumulate(options, acc);
    const Fit fit = FitRegression(acc, options.tolerance);
    PrintTable(options, acc, fit);
    if (!options.xmlPath.empty()) WriteXml(options, acc, fit);
    return 0;
  } catch (const UsageError& e) {
    if (*e.what()) std::fprintf(stderr, "kz_example: %s\n", e.what());
    std::fprintf(stderr,
                 "usage: kz_example [FILE.csv] [--target NAME] [--weight NAME] "
                 "[--tolerance EPS] [--xml FILE]\n");
    return 2;
  } catch (const InputError& e) {
    std::fprintf(stderr, "kz_example: error: %s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kz_example: error: %s\n", e.what());
    return 1;
  }
}
