// Progress of the long computations: the readers of large files (with those of the similarity
// checks), the refresh chain of a loaded sample, the multi-dimensional analysis and the property
// dependence report growing shares, compute the same with a progress as without, and a stop asked
// for ends them with Cancelled, leaving nothing half read.

#include <gtest/gtest.h>

#include <cfenv>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/checkseries.h"
#include "core/dependence.h"
#include "core/fitcriteria.h"
#include "core/fpfault.h"
#include "core/ndanalysis.h"
#include "core/ndsimilarity.h"
#include "core/progress.h"
#include "core/sampleanalysis.h"
#include "core/sampleopening.h"
#include "core/statsobject.h"
#include "core/textlines.h"
#include "core/values.h"
#include "core/variants.h"
#include "core/weibulllaw.h"
#include "tests/core/stafiles.h"
#include "tests/support/near.h"
#include "tests/support/tempdir.h"

namespace statorium {
namespace {

using test::TempDir;
using Columns = std::vector<std::vector<long double>>;

// Records every share reported; answers "stop" at report number `stopAt` (from 0) when set.
// The shares of one run never decrease.
struct Recorder {
  std::vector<double> shares;
  std::optional<size_t> stopAt;

  Progress progress() {
    return [this](double done) {
      shares.push_back(done);
      return !(stopAt && shares.size() > *stopAt);
    };
  }
};

void expectGrowingShares(const std::vector<double>& shares, size_t atLeast) {
  EXPECT_GE(shares.size(), atLeast);
  for (size_t i = 0; i < shares.size(); ++i) {
    EXPECT_GE(shares[i], 0.0) << "report " << i;
    EXPECT_LE(shares[i], 1.0) << "report " << i;
    if (i > 0) {
      EXPECT_GE(shares[i], shares[i - 1]) << "report " << i;
    }
  }
}

// Whole numbers, so that every file format writes and reads them exactly.
std::vector<long double> column(int count, int seed) {
  std::vector<long double> v(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) v[i] = (static_cast<long long>(i) * 7919 + seed) % 100003 - 50000;
  return v;
}

std::string writeLines(const TempDir& dir, const std::string& name, const Columns& columns,
                       char separator) {
  std::ofstream out(dir.file(name), std::ios::binary);
  for (size_t l = 0; l < columns.front().size(); ++l) {
    for (size_t c = 0; c < columns.size(); ++c)
      out << (c ? std::string(1, separator) : "") << static_cast<long long>(columns[c][l]);
    out << '\n';
  }
  return dir.file(name);
}

// A reader under test: reads `path` into `into` (adding to what it holds) as its columns.
struct ReaderCase {
  const char* name;
  const char* file;
  int columns;
  std::function<void(const std::string& path, const Progress&, TStatsObject& into)> read;
};

void readSample(TStatsObject& into, const std::function<void(TValues&)>& read) {
  // A sample reader empties its sample first: the one read into holds values before.
  TValues sample({7, 8, 9});
  try {
    read(sample);
  } catch (...) {
    into.addValues(sample);
    throw;
  }
  into.addValues(sample);
}

const std::vector<ReaderCase>& readerCases() {
  static const std::vector<ReaderCase> cases = {
      {"sample text file", "sample.txt", 1,
       [](const std::string& p, const Progress& progress, TStatsObject& into) {
         readSample(into, [&](TValues& s) { s.LoadFromTxtFile(p, progress); });
       }},
      {"sample CSV file", "sample.csv", 2,
       [](const std::string& p, const Progress& progress, TStatsObject& into) {
         readSample(into, [&](TValues& s) { s.LoadFromFile(p, progress); });
       }},
      {"statobject file", "object.sta", 2,
       [](const std::string& p, const Progress& progress, TStatsObject& into) {
         into.readObject(p, progress);
       }},
      {"CSV statobject file", "object.csv", 2,
       [](const std::string& p, const Progress& progress, TStatsObject& into) {
         into.readObject(p, progress);
       }},
  };
  return cases;
}

class ReadingProgress : public ::testing::Test {
 protected:
  static constexpr int kLines = 60000;
  TempDir dir;

  std::string write(const ReaderCase& c) {
    Columns columns;
    for (int i = 0; i < c.columns; ++i) columns.push_back(column(kLines, i));
    const std::string file = c.file;
    if (file.ends_with(".sta")) return test::writeStaFile(dir, file, columns);
    return writeLines(dir, file, columns, ',');
  }

  // What the object holds, property by property.
  static Columns contents(const TStatsObject& obj) {
    Columns out;
    for (int i = 0; i < obj.propCount(); ++i) out.push_back(obj.Prop(i).data());
    return out;
  }
};

TEST_F(ReadingProgress, ReadersReportGrowingSharesAndReadWhatTheyReadWithout) {
  for (const ReaderCase& c : readerCases()) {
    SCOPED_TRACE(c.name);
    const std::string path = write(c);
    TStatsObject plain, watched;
    c.read(path, {}, plain);
    Recorder recorder;
    c.read(path, recorder.progress(), watched);
    EXPECT_EQ(contents(watched), contents(plain));
    ASSERT_GT(plain.Prop(0).count(), 0);
    const long long size = regularFileSize(path);
    expectGrowingShares(recorder.shares, static_cast<size_t>(size / kReadProgressBytes));
  }
}

TEST_F(ReadingProgress, AReaderStoppedAtItsFirstReportThrowsCancelledAndReadsNothing) {
  for (const ReaderCase& c : readerCases()) {
    SCOPED_TRACE(c.name);
    const std::string path = write(c);
    TStatsObject obj;
    obj.name = "before";
    obj.addValues(TValues({1, 2}));
    Recorder recorder;
    recorder.stopAt = 0;
    EXPECT_THROW(c.read(path, recorder.progress(), obj), Cancelled);
    EXPECT_EQ(recorder.shares.size(), 1u);
    EXPECT_EQ(obj.name, "before");
    // A statobject reader adds none of the file's properties; a sample reader leaves its sample
    // empty (the property after the first).
    Columns expected = {{1, 2}};
    if (std::string(c.file).ends_with(".txt") || c.file == std::string("sample.csv"))
      expected.push_back({});
    EXPECT_EQ(contents(obj), expected);
  }
}

TEST_F(ReadingProgress, AStoppedOpeningAsksNoQuestion) {
  const std::string path =
      test::writeStaFile(dir, "pair.sta", {column(kLines, 1), column(kLines, 2)});
  Recorder recorder;
  recorder.stopAt = 0;
  bool asked = false;
  EXPECT_THROW(openValues(
                   path,
                   [&](const TStatsObject&) {
                     asked = true;
                     return 1;
                   },
                   recorder.progress()),
               Cancelled);
  EXPECT_FALSE(asked);
}

// The readers of the similarity check windows report what the sample and statobject readers
// report, and let a stop through: a cancel is no file that cannot be read.
TEST_F(ReadingProgress, TheCheckReadersReportAndLetAStopThrough) {
  const std::string text = writeLines(dir, "series.txt", {column(kLines, 3)}, ',');
  const std::string object =
      test::writeStaFile(dir, "object.sta", {column(kLines, 4), column(kLines, 5)});
  struct Case {
    const char* name;
    std::string path;
    std::function<std::vector<long double>(const Progress&)> read;  // the first property
  };
  const std::vector<Case> cases = {
      {"a sample file, with its error", text,
       [&](const Progress& p) { return loadCheckSeries(text, p).data(); }},
      {"a sample file", text, [&](const Progress& p) { return readCheckSeries(text, p)->data(); }},
      {"a statobject file", object,
       [&](const Progress& p) { return readCheckSeries(object, p)->data(); }},
      {"a statobject of the multi-dimensional check", object,
       [&](const Progress& p) { return readNCheckObject(object, p)->Prop(0).data(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<long double> plain = c.read({});
    ASSERT_EQ(plain.size(), static_cast<size_t>(kLines));
    Recorder recorder;
    EXPECT_EQ(c.read(recorder.progress()), plain);
    expectGrowingShares(recorder.shares,
                        static_cast<size_t>(regularFileSize(c.path) / kReadProgressBytes));
    Recorder stopping;
    stopping.stopAt = 0;
    EXPECT_THROW(c.read(stopping.progress()), Cancelled);
    EXPECT_EQ(stopping.shares.size(), 1u);
  }
}

// One file of the multi-dimensional check is taken as readNCheckObjects takes it.
TEST(CheckReaders, AStatobjectOfTheMultiDimensionalCheckIsReadAsInTheList) {
  const TempDir dir;
  const std::vector<std::string> files = {
      test::writeStaFile(dir, "good.sta", {{1, 2, 3}, {3, 1, 2}}),
      test::writeStaFile(dir, "upper.STA", {{1, 2, 3}}),
      dir.write("series.txt", "1\n2\n3\n"),
      dir.write("damaged.sta", std::string("\x02\x00\x00\x00x", 5)),
      dir.file("missing.sta"),
      dir.file("noextension"),
  };
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const std::vector<TStatsObject> listed = readNCheckObjects({file});
    const std::optional<TStatsObject> one = readNCheckObject(file);
    ASSERT_EQ(one.has_value(), listed.size() == 1);
    if (one) {
      EXPECT_EQ(one->propCount(), listed[0].propCount());
      EXPECT_EQ(one->Prop(1).data(), listed[0].Prop(1).data());
    }
  }
  EXPECT_TRUE(readNCheckObject(files[0]).has_value());
}

// ---- The counting of reports ----------------------------------------------------------------

TEST(ProgressCounter, ReportsOncePerStrideWithTheShareOfTheTotal) {
  struct Case {
    long long total, stride;
    std::vector<double> shares;
  };
  const Case cases[] = {
      {1000, 250, {0.25, 0.5, 0.75, 1.0}},
      {1000, 400, {0.4, 0.8}},
      {0, 400, {0, 0}},  // unknown total
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stride);
    Recorder recorder;
    ProgressCounter counter(recorder.progress(), c.total, c.stride);
    for (long long done = 1; done <= 1000; ++done) counter.at(done);
    EXPECT_EQ(recorder.shares, c.shares);
  }
}

TEST(ProgressPart, MapsThePartsShareIntoTheWhole) {
  Recorder recorder;
  const Progress part = progressPart(recorder.progress(), 0.2, 0.6);
  reportProgress(part, 0);
  reportProgress(part, 0.5);
  reportProgress(part, 1);
  ASSERT_EQ(recorder.shares.size(), 3u);
  EXPECT_TRUE(test::near(recorder.shares[0], 0.2));
  EXPECT_TRUE(test::near(recorder.shares[1], 0.4));
  EXPECT_TRUE(test::near(recorder.shares[2], 0.6));
  EXPECT_FALSE(progressPart({}, 0.2, 0.6));
}

TEST(ReportProgress, KeepsTheFaultFlagsOfTheInterruptedArithmetic) {
  // Whatever the display computes does not count against the computation it interrupts ...
  const Progress faulty = [](double) {
    volatile double zero = 0;
    volatile double nan = zero / zero;
    (void)nan;
    return true;
  };
  clearFpFaults();
  reportProgress(faulty, 0.5);
  EXPECT_NO_THROW(checkFpFaults());
  // ... and a fault the computation raised before the report still counts after it.
  volatile double zero = 0;
  volatile double infinite = 1 / zero;
  (void)infinite;
  reportProgress(faulty, 0.5);
  EXPECT_THROW(checkFpFaults(), FloatError);
}

// ---- The main window's analysis of a loaded sample -------------------------------------------

TEST(SampleAnalysisProgress, TheRefreshChainReportsItsStepsAndComputesWhatItComputesWithout) {
  std::mt19937 gen(5);
  std::normal_distribution<double> z(50, 4);
  std::vector<long double> values;
  for (int i = 0; i < 5000; ++i) values.push_back(z(gen));
  TSampleAnalysis plain, watched;
  plain.load(TValues(values));
  watched.load(TValues(values));
  plain.applyAbnormalMode(AbnormalMode::DontDrop);
  Recorder recorder;
  watched.applyAbnormalMode(AbnormalMode::DontDrop, recorder.progress());
  EXPECT_EQ(watched.characteristicsGrid, plain.characteristicsGrid);
  EXPECT_EQ(watched.lawParamsText, plain.lawParamsText);
  EXPECT_EQ(watched.criteria1Text, plain.criteria1Text);
  EXPECT_EQ(watched.lawIndex, plain.lawIndex);
  expectGrowingShares(recorder.shares, 5);
  EXPECT_EQ(recorder.shares.back(), 1.0);

  Recorder stopping;
  stopping.stopAt = 1;  // after the copy of the file data
  TSampleAnalysis next = plain.successor();
  next.load(TValues(values));
  EXPECT_THROW(next.applyAbnormalMode(AbnormalMode::DontDrop, stopping.progress()), Cancelled);
}

// ---- The multi-dimensional analysis and the property dependence -----------------------------

class AnalysisProgress : public ::testing::Test {
 protected:
  // Eight correlated properties of 6000 observations: several reports in every stage.
  static TStatsObject object() {
    std::mt19937 gen(11);
    std::normal_distribution<double> z(0, 1);
    constexpr int kProperties = 8, kObservations = 6000;
    Columns props(kProperties);
    for (int l = 0; l < kObservations; ++l) {
      const double common = z(gen);
      for (int k = 0; k < kProperties; ++k) props[k].push_back(10 * k + common + (k + 1) * z(gen));
    }
    TStatsObject obj;
    for (const auto& p : props) obj.addValues(TValues(p));
    return obj;
  }

  using Cells = std::vector<std::vector<std::string>>;
  static std::vector<Cells> grids(const NDAnalysis& a) {
    return {a.gAvg.cells, a.gD.cells, a.gR.cells, a.ownVV.cells, a.DD.cells};
  }
};

TEST_F(AnalysisProgress, TheAnalysisReportsGrowingSharesAndComputesWhatItComputesWithout) {
  for (const bool standard : {false, true}) {
    SCOPED_TRACE(standard);
    TStatsObject plainObj = object(), watchedObj = object();
    NDAnalysis plain, watched;
    ProcessObject(plainObj, standard, plain);
    Recorder recorder;
    ProcessObject(watchedObj, standard, watched, recorder.progress());
    EXPECT_EQ(grids(watched), grids(plain));
    EXPECT_EQ(watched.transData.components, plain.transData.components);
    EXPECT_EQ(watchedObj.Prop(3).data(), plainObj.Prop(3).data());
    expectGrowingShares(recorder.shares, 20);
    EXPECT_EQ(recorder.shares.back(), 1.0);
  }
}

TEST_F(AnalysisProgress, TheAnalysisStopsWhereverItIsAsked) {
  Recorder all;
  {
    TStatsObject obj = object();
    NDAnalysis out;
    ProcessObject(obj, false, out, all.progress());
  }
  for (const size_t stop : {size_t{0}, all.shares.size() / 2, all.shares.size() - 1}) {
    SCOPED_TRACE(stop);
    TStatsObject obj = object();
    NDAnalysis out;
    Recorder recorder;
    recorder.stopAt = stop;
    EXPECT_THROW(ProcessObject(obj, false, out, recorder.progress()), Cancelled);
    EXPECT_EQ(recorder.shares.size(), stop + 1);
  }
}

TEST_F(AnalysisProgress, EvaluateReportsAndStops) {
  const TStatsObject obj = object();
  const PropertyDependence plain = Evaluate(obj);
  Recorder recorder;
  const PropertyDependence watched = Evaluate(obj, recorder.progress());
  EXPECT_EQ(watched.gPR.cells, plain.gPR.cells);
  EXPECT_EQ(watched.gMR.cells, plain.gMR.cells);
  expectGrowingShares(recorder.shares, 10);
  Recorder stopping;
  stopping.stopAt = 0;
  EXPECT_THROW(Evaluate(obj, stopping.progress()), Cancelled);
}

// The Weibull estimate and Kolmogorov's criterion pass over every variant; with ten million
// distinct values each takes seconds, so each reports along the way.
TEST(LawFitProgress, TheWeibullEstimateAndKolmogorovsCriterionReportAndStop) {
  const int n = 300000;
  std::vector<long double> sorted(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) sorted[i] = 1 + i / 1000.0L;
  TVariants variants;
  variants.setVariants(TValues(sorted));
  TWeibullsLaw plain;
  plain.evaluateParams(variants);

  TWeibullsLaw watched;
  Recorder estimate;
  watched.evaluateParams(variants, estimate.progress());
  EXPECT_EQ(watched.paramsToString(), plain.paramsToString());
  expectGrowingShares(estimate.shares, 4);
  Recorder distance;
  EXPECT_EQ(KolmogorovsDistance(variants, watched, distance.progress()),
            KolmogorovsDistance(variants, plain));
  expectGrowingShares(distance.shares, 4);

  // A stop leaves the law's parameters as they were.
  TWeibullsLaw stopped;
  Recorder stopping;
  stopping.stopAt = 1;
  EXPECT_THROW(stopped.evaluateParams(variants, stopping.progress()), Cancelled);
  EXPECT_EQ(stopped.paramsToString(), TWeibullsLaw().paramsToString());
  Recorder stoppingCheck;
  stoppingCheck.stopAt = 1;
  EXPECT_THROW(KolmogorovsCheck(variants, plain, 0.05L, stoppingCheck.progress()), Cancelled);
}

TEST_F(AnalysisProgress, TheRegressionReportsAndStops) {
  const TStatsObject obj = object();
  const TRegression plain = Regression(obj, 2, "0.5");
  Recorder recorder;
  const TRegression watched = Regression(obj, 2, "0.5", recorder.progress());
  EXPECT_EQ(watched.gA.cells, plain.gA.cells);
  EXPECT_EQ(watched.g2.fitted, plain.g2.fitted);
  EXPECT_EQ(watched.textResults, plain.textResults);
  expectGrowingShares(recorder.shares, 10);
  for (const size_t stop : {size_t{0}, recorder.shares.size() - 1}) {
    Recorder stopping;
    stopping.stopAt = stop;
    EXPECT_THROW(Regression(obj, 2, "0.5", stopping.progress()), Cancelled);
  }
}

}  // namespace
}  // namespace statorium
