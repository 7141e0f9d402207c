// Hostile inputs for every command of the batch program, through the built executable: each run
// ends with status 0 or 1 (1 with a message on standard error), never with a signal or a hang,
// prints no not-a-number or infinity, and leaves no damaged or temporary file behind. The same
// table runs in-process under a comma locale, and the writers are run out of disk space.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cliapp.h"
#include "core/numtext.h"
#include "core/statsobject.h"
#include "tests/core/filelimits.h"
#include "tests/support/hostilefiles.h"

namespace {

using statorium::test::folderEntries;
using statorium::test::HostileFiles;
using statorium::test::showsNonFinite;
using statorium::test::TempDir;

constexpr const char* kOld = "old content";

// In the arguments "@name" is a hostile file, "%name" a file in the case's own output folder
// (which holds "old.sta" and "old.txt" with kOld before the run), and "@@big" the sample of ten
// million lines.
struct Case {
  const char* name;
  std::vector<std::string> args;
  int status;
  const char* message = "";  // part of the message on standard error (status 1)
  const char* writes = "";   // a "%name" the run writes in full, before any failure
};

const std::string kNeedTwo = "You need to have two series selected.";

// The outcomes of the hostile inputs. An arithmetic fault is named by its message; the files a
// check window leaves out make it say that two series are needed.
const std::vector<Case>& cases() {
  static const std::vector<Case> table = {
      // describe: the main window's analysis of one file.
      {"describe_empty", {"describe", "@empty.txt"}, 1, "No values were read"},
      {"describe_blank", {"describe", "@blank.txt"}, 1, "No values were read"},
      {"describe_one", {"describe", "@one.txt"}, 1, "Invalid floating point operation"},
      {"describe_const", {"describe", "@const.txt"}, 1, "Class count error"},
      {"describe_huge", {"describe", "@huge.txt"}, 1, "Floating point overflow"},
      {"describe_tiny", {"describe", "@tiny.txt"}, 1, "Class count error"},
      {"describe_beyond_double", {"describe", "@beyond-double.txt"}, 0},
      {"describe_junk", {"describe", "@junk.bin"}, 1, "No values were read"},
      {"describe_missing", {"describe", "@missing.txt"}, 1, "I/O error 103"},
      {"describe_folder", {"describe", "@folder.sta"}, 1, "Cannot open file"},
      {"describe_truncated", {"describe", "@truncated.sta"}, 1, "truncated or damaged"},
      {"describe_damaged", {"describe", "@damaged.sta"}, 1, "truncated or damaged"},
      {"describe_badvalue", {"describe", "@badvalue.sta"}, 1, "truncated or damaged"},
      {"describe_empty_sta", {"describe", "@empty.sta"}, 1, "truncated or damaged"},
      {"describe_ragged_short", {"describe", "@ragged.sta", "--property", "2"}, 0},
      {"describe_ragged_csv", {"describe", "@ragged.csv", "--property", "3"}, 0},
      {"describe_no_property",
       {"describe", "@good.sta", "--property", "9"},
       1,
       "has no property 9"},
      {"describe_big", {"describe", "@@big"}, 0},
      // two-series: an unreadable file is left out.
      {"twoseries_empty",
       {"two-series", "@ok1.txt", "@empty.txt"},
       1,
       "Invalid floating point operation"},
      {"twoseries_one",
       {"two-series", "@ok1.txt", "@one.txt"},
       1,
       "Invalid floating point operation"},
      {"twoseries_const",
       {"two-series", "@const.txt", "@ok1.txt"},
       1,
       "Floating point division by zero"},
      {"twoseries_huge", {"two-series", "@ok1.txt", "@huge.txt"}, 1, "Floating point overflow"},
      {"twoseries_tiny",
       {"two-series", "@tiny.txt", "@ok1.txt"},
       1,
       "Floating point division by zero"},
      {"twoseries_junk",
       {"two-series", "@ok1.txt", "@junk.bin"},
       1,
       "Invalid floating point operation"},
      {"twoseries_missing", {"two-series", "@ok1.txt", "@missing.txt"}, 0},
      {"twoseries_truncated", {"two-series", "@truncated.sta", "@ok2.txt", "--dependent"}, 0},
      {"twoseries_dependent_lengths", {"two-series", "@ok1.txt", "@short.txt", "--dependent"}, 0},
      // many-series: a file that cannot be read ends the run.
      {"manyseries_empty",
       {"many-series", "@ok1.txt", "@ok2.txt", "@empty.txt"},
       1,
       "Invalid floating point operation"},
      {"manyseries_one",
       {"many-series", "@ok1.txt", "@one.txt"},
       1,
       "Invalid floating point operation"},
      {"manyseries_const",
       {"many-series", "@ok1.txt", "@ok2.txt", "@const.txt"},
       1,
       "Floating point division by zero"},
      {"manyseries_huge", {"many-series", "@huge.txt", "@ok2.txt"}, 1, "Floating point overflow"},
      {"manyseries_tiny",
       {"many-series", "@ok1.txt", "@tiny.txt"},
       1,
       "Floating point division by zero"},
      {"manyseries_junk",
       {"many-series", "@junk.bin", "@ok2.txt"},
       1,
       "Invalid floating point operation"},
      {"manyseries_missing", {"many-series", "@ok1.txt", "@missing.txt"}, 1, "I/O error 103"},
      {"manyseries_truncated",
       {"many-series", "@ok1.txt", "@truncated.sta"},
       1,
       "truncated or damaged"},
      // nd-similarity: only ".sta" files are read, and an unreadable one is left out.
      {"ndsimilarity_truncated", {"nd-similarity", "@good.sta", "@truncated.sta"}, 0},
      {"ndsimilarity_junk", {"nd-similarity", "@junk.sta", "@good.sta"}, 0},
      {"ndsimilarity_text", {"nd-similarity", "@good.sta", "@ok1.txt"}, 0},
      {"ndsimilarity_ragged",
       {"nd-similarity", "@good.sta", "@ragged.sta"},
       1,
       "different numbers of values"},
      {"ndsimilarity_const", {"nd-similarity", "@good.sta", "@constprop.sta"}, 1, "all equal"},
      {"ndsimilarity_beyond_double",
       {"nd-similarity", "@beyond-double.sta", "@good.sta"},
       1,
       "Floating point division by zero"},
      {"ndsimilarity_huge",
       {"nd-similarity", "@huge.sta", "@huge.sta"},
       1,
       "Floating point overflow"},
      {"ndsimilarity_properties",
       {"nd-similarity", "@good.sta", "@oneprop.sta"},
       1,
       "different numbers of properties"},
      {"ndsimilarity_dup", {"nd-similarity", "@good.sta", "@dup.sta"}, 1, "Floating point"},
      {"ndsimilarity_twoobs", {"nd-similarity", "@twoobs.sta", "@twoobs.sta"}, 1, ""},
      // twod.
      {"twod_truncated", {"twod", "@truncated.sta"}, 1, "truncated or damaged"},
      {"twod_damaged", {"twod", "@damaged.sta"}, 1, "truncated or damaged"},
      {"twod_badvalue", {"twod", "@badvalue.sta"}, 1, "truncated or damaged"},
      {"twod_empty", {"twod", "@empty.sta"}, 1, "truncated or damaged"},
      {"twod_junk", {"twod", "@junk.sta"}, 1, "truncated or damaged"},
      {"twod_missing", {"twod", "@missing.sta"}, 1, "Cannot open file"},
      {"twod_folder", {"twod", "@folder.sta"}, 1, "Cannot open file"},
      {"twod_junk_csv", {"twod", "@junk.bin"}, 1, "Invalid floating point operation"},
      {"twod_ragged", {"twod", "@ragged.sta", "--y", "2"}, 0},
      {"twod_ragged_longer_y", {"twod", "@ragged.sta", "--x", "2", "--y", "3"}, 0},
      {"twod_const", {"twod", "@constprop.sta"}, 1, "Invalid floating point operation"},
      {"twod_huge", {"twod", "@huge.sta"}, 1, "Floating point overflow"},
      {"twod_tiny", {"twod", "@tiny.sta"}, 1, "Invalid floating point operation"},
      {"twod_beyond_double", {"twod", "@beyond-double.sta"}, 1, "Floating point overflow"},
      {"twod_oneprop", {"twod", "@oneprop.sta"}, 1, "fewer than two properties"},
      {"twod_twoobs", {"twod", "@twoobs.sta"}, 1, "at least 4 pairs"},
      {"twod_dup", {"twod", "@dup.sta"}, 0},
      {"twod_ragged_csv", {"twod", "@ragged.csv"}, 0},
      // nd.
      {"nd_truncated",
       {"nd", "@truncated.sta", "--components", "%c.sta"},
       1,
       "truncated or damaged"},
      {"nd_junk", {"nd", "@junk.sta", "--components", "%c.sta"}, 1, "truncated or damaged"},
      {"nd_ragged",
       {"nd", "@ragged.sta", "--components", "%c.sta"},
       1,
       "different numbers of values"},
      {"nd_const", {"nd", "@constprop.sta", "--components", "%c.sta"}, 1, "all equal"},
      {"nd_const_standard",
       {"nd", "@constprop.sta", "--standard", "--components", "%c.sta"},
       1,
       "all equal"},
      {"nd_huge", {"nd", "@huge.sta", "--components", "%c.sta"}, 1, "Floating point overflow"},
      {"nd_tiny", {"nd", "@tiny.sta", "--components", "%c.sta"}, 1, "all equal"},
      {"nd_beyond_double", {"nd", "@beyond-double.sta", "--components", "%c.sta"}, 0, "", "c.sta"},
      {"nd_oneprop",
       {"nd", "@oneprop.sta", "--components", "%c.sta"},
       1,
       "fewer than two properties"},
      {"nd_twoobs", {"nd", "@twoobs.sta", "--components", "%c.sta"}, 1, "at least 3"},
      {"nd_dup", {"nd", "@dup.sta", "--components", "%c.sta"}, 0, "", "c.sta"},
      {"nd_good_replaces", {"nd", "@good.sta", "--components", "%old.sta"}, 0, "", "old.sta"},
      {"nd_target_readonly",
       {"nd", "@good.sta", "--components", "/proc/statorium-c.sta"},
       1,
       "Cannot create file"},
      {"nd_target_under_file",
       {"nd", "@good.sta", "--components", "%old.txt/c.sta"},
       1,
       "Cannot create file"},
      {"nd_target_folder",
       {"nd", "@good.sta", "--components", "@folder.sta"},
       1,
       "Cannot create file"},
      // dependence and regression.
      {"dependence_truncated", {"dependence", "@truncated.sta"}, 1, "truncated or damaged"},
      {"dependence_ragged", {"dependence", "@ragged.sta"}, 1, "different numbers of values"},
      {"dependence_const", {"dependence", "@constprop.sta"}, 1, "all equal"},
      {"dependence_huge", {"dependence", "@huge.sta"}, 1, "Floating point overflow"},
      {"dependence_tiny", {"dependence", "@tiny.sta"}, 1, "all equal"},
      {"dependence_oneprop", {"dependence", "@oneprop.sta"}, 1, "fewer than two properties"},
      {"dependence_twoobs", {"dependence", "@twoobs.sta"}, 1, "Too few observations"},
      {"dependence_dup", {"dependence", "@dup.sta"}, 1, "positive definite"},
      {"dependence_good", {"dependence", "@good.sta"}, 0},
      {"dependence_beyond_double", {"dependence", "@beyond-double.sta"}, 0},
      {"regression_truncated", {"regression", "@truncated.sta", "1"}, 1, "truncated or damaged"},
      {"regression_ragged", {"regression", "@ragged.sta", "2"}, 1, "different numbers of values"},
      {"regression_const", {"regression", "@constprop.sta", "2"}, 1, "all equal"},
      {"regression_huge", {"regression", "@huge.sta", "1"}, 1, "Floating point overflow"},
      {"regression_dup", {"regression", "@dup.sta", "1"}, 1, "positive definite"},
      {"regression_no_property", {"regression", "@good.sta", "9"}, 1, "has no property 9"},
      {"regression_not_important", {"regression", "@good.sta", "3"}, 1, "not important"},
      {"regression_good", {"regression", "@good.sta", "2"}, 0},
      // generate: parameters the generator cannot use, and targets that cannot be written.
      {"generate_lambda_zero",
       {"generate", "--law", "exponential", "--size", "50", "--lambda", "0", "--out", "%old.txt",
        "--seed", "1"},
       1,
       "Floating point division by zero"},
      // Beyond the 64-bit reals the generators take their parameters in.
      {"generate_lambda_huge",
       {"generate", "--law", "exponential", "--size", "50", "--lambda", "1e4000", "--out",
        "%old.txt", "--seed", "1"},
       1,
       "Floating point overflow"},
      {"generate_sigma_beyond_double",
       {"generate", "--law", "normal", "--size", "50", "--sigma", "1e400", "--out", "%old.txt",
        "--seed", "1"},
       1,
       "Floating point overflow"},
      // Equal values are written as the series, and their evaluation fails.
      {"generate_sigma_zero",
       {"generate", "--law", "normal", "--size", "50", "--sigma", "0", "--out", "%old.txt",
        "--seed", "1"},
       1,
       "Invalid floating point operation",
       "old.txt"},
      {"generate_sigma_tiny",
       {"generate", "--law", "normal", "--size", "50", "--sigma", "1e-4000", "--out", "%s.txt",
        "--seed", "1"},
       1,
       "Invalid floating point operation",
       "s.txt"},
      {"generate_weibull_zero",
       {"generate", "--law", "weibull", "--size", "50", "--alpha", "0", "--beta", "0", "--out",
        "%s.txt", "--seed", "1"},
       1,
       "Floating point division by zero"},
      {"generate_weibull_extreme",
       {"generate", "--law", "weibull", "--size", "50", "--alpha", "1e308", "--beta", "1e-308",
        "--out", "%s.txt", "--seed", "1"},
       1,
       "Floating point overflow"},
      {"generate_size_zero",
       {"generate", "--law", "exponential", "--size", "0", "--out", "%old.txt", "--seed", "1"},
       0,
       "",
       "old.txt"},
      {"generate_size_one",
       {"generate", "--law", "normal", "--size", "1", "--out", "%s.txt", "--seed", "1"},
       1,
       "Floating point division by zero",
       "s.txt"},
      {"generate_replaces",
       {"generate", "--law", "weibull", "--size", "200", "--out", "%old.txt", "--seed", "1"},
       0,
       "",
       "old.txt"},
      {"generate_target_readonly",
       {"generate", "--law", "exponential", "--size", "50", "--out", "/proc/version", "--seed",
        "1"},
       1,
       "Cannot create file"},
      {"generate_target_under_file",
       {"generate", "--law", "exponential", "--size", "50", "--out", "%old.txt/s.txt", "--seed",
        "1"},
       1,
       "Cannot create file"},
      {"generate_target_folder",
       {"generate", "--law", "exponential", "--size", "50", "--out", "@folder.sta", "--seed", "1"},
       1,
       "Cannot create file"},
      // compose.
      {"compose_empty",
       {"compose", "--name", "n", "--out", "%old.sta", "@empty.txt"},
       1,
       "nothing to save"},
      {"compose_junk",
       {"compose", "--name", "n", "--out", "%old.sta", "@junk.bin"},
       1,
       "nothing to save"},
      {"compose_missing",
       {"compose", "--name", "n", "--out", "%old.sta", "@ok1.txt", "@missing.txt"},
       1,
       "I/O error 103"},
      {"compose_truncated",
       {"compose", "--name", "n", "--out", "%old.sta", "@truncated.sta"},
       1,
       "truncated or damaged"},
      {"compose_no_property",
       {"compose", "--name", "n", "--out", "%old.sta", "@good.sta:7"},
       1,
       "property"},
      {"compose_ragged",
       {"compose", "--name", "n", "--out", "%old.sta", "@ragged.sta:2", "@ok1.txt", "@huge.txt"},
       0,
       "",
       "old.sta"},
      {"compose_target_readonly",
       {"compose", "--name", "n", "--out", "/proc/statorium.sta", "@ok1.txt"},
       1,
       "Cannot create file"},
      {"compose_target_under_file",
       {"compose", "--name", "n", "--out", "%old.txt/o.sta", "@ok1.txt"},
       1,
       "Cannot create file"},
      {"compose_target_folder",
       {"compose", "--name", "n", "--out", "@folder.sta", "@ok1.txt"},
       1,
       "Cannot create file"},
      // experiment.
      {"experiment_size_zero",
       {"experiment", "--law", "exponential", "--size", "0", "--checks", "3", "--seed", "1"},
       1,
       "List index out of bounds"},
      {"experiment_size_one",
       {"experiment", "--law", "exponential", "--size", "1", "--checks", "3", "--seed", "1"},
       0},
      {"experiment_weibull_three",
       {"experiment", "--law", "weibull", "--size", "3", "--checks", "2", "--seed", "1"},
       1,
       "Floating point division by zero"},
      {"experiment_no_checks",
       {"experiment", "--law", "weibull", "--size", "100", "--checks", "0", "--seed", "1"},
       1,
       "Invalid floating point operation"},
      {"experiment_sigma_zero",
       {"experiment", "--law", "normal", "--size", "100", "--checks", "1", "--sigma", "0", "--seed",
        "1"},
       1,
       "Invalid floating point operation"},
      {"experiment_extreme",
       {"experiment", "--law", "weibull", "--size", "50", "--checks", "2", "--alpha", "1e308",
        "--beta", "1e-308", "--seed", "1"},
       1,
       "Floating point overflow"},
  };
  return table;
}

// The hostile files, written once for the whole program.
HostileFiles& files() {
  static HostileFiles f;
  return f;
}

bool usesBigSample(const Case& c) {
  for (const std::string& a : c.args)
    if (a == "@@big") return true;
  return false;
}

std::vector<std::string> resolve(const Case& c, const std::string& folder) {
  std::vector<std::string> args;
  for (const std::string& a : c.args) {
    if (a == "@@big")
      args.push_back(files().bigSample());
    else if (a.starts_with("@"))
      args.push_back(files().path(a.substr(1)));
    else if (a.starts_with("%"))
      args.push_back(folder + "/" + a.substr(1));
    else
      args.push_back(a);
  }
  return args;
}

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

std::string quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs the executable. A signal shows as a status above 128, a run that does not end within
// `timeout` as 124 (the limit only stops a hang; no test depends on the time a run takes).
Outcome runExecutable(const std::vector<std::string>& args, const std::string& folder) {
  const std::string out = folder + "/../stdout", err = folder + "/../stderr";
  std::string cmd = "LC_ALL=C timeout 600 ";
  cmd.append(quoted(STATORIUM_CLI_PATH));
  for (const std::string& a : args) cmd.append(" ").append(quoted(a));
  cmd.append(" >").append(quoted(out)).append(" 2>").append(quoted(err));
  const int raw = std::system(cmd.c_str());
  const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  return {status, TempDir::read(out), TempDir::read(err)};
}

Outcome runInProcess(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = statorium::cli::runCli(args, out, err);
  return {status, out.str(), err.str()};
}

// A fresh output folder holding the two files a failing run must leave as they are.
std::string outputFolder(const TempDir& dir, const std::string& name) {
  const std::string folder = dir.file(name);
  std::filesystem::create_directory(folder);
  for (const char* old : {"/old.sta", "/old.txt"}) std::ofstream(folder + old) << kOld;
  return folder;
}

void expectOutcome(const Case& c, const Outcome& o, const std::string& folder,
                   const std::vector<std::string>& before) {
  SCOPED_TRACE(o.err);
  EXPECT_EQ(o.status, c.status) << c.name;
  EXPECT_FALSE(showsNonFinite(o.out)) << o.out;
  EXPECT_FALSE(showsNonFinite(o.err));
  if (o.status == 1) {
    EXPECT_NE(o.err.find(c.message), std::string::npos) << c.name;
    EXPECT_NE(o.err.find_first_not_of("\n"), std::string::npos) << c.name;
  } else {
    EXPECT_EQ(o.err, "") << c.name;
  }
  // The folder holds what it held and the file the run writes; that one is complete.
  std::vector<std::string> expected = before;
  const std::string written = c.writes;
  if (!written.empty() && !std::binary_search(before.begin(), before.end(), written)) {
    expected.push_back(written);
    std::sort(expected.begin(), expected.end());
  }
  EXPECT_EQ(folderEntries(folder), expected) << c.name;
  for (const char* old : {"old.sta", "old.txt"}) {
    if (written != old) {
      EXPECT_EQ(TempDir::read(folder + "/" + old), kOld) << c.name;
    }
  }
  if (written.ends_with(".sta")) {
    statorium::TStatsObject back;
    back.readStaObject(folder + "/" + written);
    EXPECT_GE(back.propCount(), 1) << c.name;
  } else if (written.ends_with(".txt")) {
    statorium::TValues back;
    back.LoadFromTxtFile(folder + "/" + written);
    EXPECT_EQ(back.count(), std::stoi(c.args[4])) << c.name;  // generate's --size
  }
}

class HostileCli : public testing::TestWithParam<Case> {
 protected:
  TempDir dir;
};

TEST_P(HostileCli, ExecutableEndsWithItsStatusAndNothingDamaged) {
  const Case& c = GetParam();
  if (usesBigSample(c) && statorium::test::underSanitizer())
    GTEST_SKIP() << "ten million lines take minutes under the sanitizers";
  const std::string folder = outputFolder(dir, "out");
  const std::vector<std::string> before = folderEntries(folder);
  const Outcome o = runExecutable(resolve(c, folder), folder);
  ASSERT_LT(o.status, 124) << c.name << ": signal or hang";
  expectOutcome(c, o, folder, before);
}

// Under a comma locale the same texts use another separator, and none may show a not-a-number.
TEST_P(HostileCli, InProcessUnderACommaLocale) {
  const Case& c = GetParam();
  if (usesBigSample(c)) GTEST_SKIP() << "the executable runs the big sample";
  statorium::DecimalSeparatorScope comma(',');
  const std::string folder = outputFolder(dir, "out");
  const std::vector<std::string> before = folderEntries(folder);
  expectOutcome(c, runInProcess(resolve(c, folder)), folder, before);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileCli, testing::ValuesIn(cases()),
                         [](const testing::TestParamInfo<Case>& info) {
                           return std::string(info.param.name);
                         });

// Writers out of disk space: the write fails part way (the file size limit stands in for a full
// disk), the existing file keeps its content and no temporary file is left; without the limit
// the same run replaces the file with the complete new one.
TEST(HostileCliTargets, AFullDiskKeepsTheOldFile) {
  TempDir dir;
  std::string many;
  for (int i = 0; i < 3000; ++i) many += std::to_string(i % 97) + "." + std::to_string(i) + "\n";
  const std::string source = dir.write("many.txt", many);
  struct Writer {
    const char* name;
    std::vector<std::string> args;  // "%t" is the target
  };
  const Writer writers[] = {
      {"generate", {"generate", "--law", "normal", "--size", "3000", "--out", "%t", "--seed", "2"}},
      {"compose", {"compose", "--name", "many", "--out", "%t", source, source}},
      {"nd", {"nd", files().path("good.sta"), "--components", "%t"}},
  };
  for (const Writer& w : writers) {
    SCOPED_TRACE(w.name);
    const std::string target = dir.write(std::string(w.name) + ".out", kOld);
    std::vector<std::string> args;
    for (const std::string& a : w.args) args.push_back(a == "%t" ? target : a);
    const std::vector<std::string> before = folderEntries(dir.path());
    Outcome failed;
    {
      statorium::test::FileSizeLimit limit(512);
      failed = runInProcess(args);
    }
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "I/O error 27\n");
    EXPECT_EQ(TempDir::read(target), kOld);
    EXPECT_EQ(folderEntries(dir.path()), before);

    const Outcome done = runInProcess(args);
    EXPECT_EQ(done.status, 0) << done.err;
    const std::string written = TempDir::read(target);
    EXPECT_GT(written.size(), 512u);
    EXPECT_NE(written, kOld);
    EXPECT_EQ(folderEntries(dir.path()), before);
  }
}

}  // namespace
