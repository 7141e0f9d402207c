// The batch program's command line: help, usage errors and their exit codes, in-process and
// through the built executable.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <sstream>

#include "cli/cliapp.h"

namespace {

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

Outcome run(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = statorium::cli::runCli(args, out, err);
  return {code, out.str(), err.str()};
}

struct Case {
  std::vector<std::string> args;
  int code;
  bool usageOnStdout;
  bool usageOnStderr;
};

class CliUsage : public testing::TestWithParam<Case> {};

TEST_P(CliUsage, ExitCodeAndWhereTheUsageGoes) {
  const Case& c = GetParam();
  const Outcome o = run(c.args);
  EXPECT_EQ(o.code, c.code);
  EXPECT_EQ(o.out.find("Usage: statorium-cli") != std::string::npos, c.usageOnStdout) << o.out;
  EXPECT_EQ(o.err.find("Usage: statorium-cli") != std::string::npos, c.usageOnStderr) << o.err;
}

INSTANTIATE_TEST_SUITE_P(Cases, CliUsage,
                         testing::Values(Case{{"--help"}, 0, true, false},
                                         Case{{"-h"}, 0, true, false}, Case{{}, 2, false, true},
                                         Case{{"no-such-command"}, 2, false, true},
                                         Case{{"--no-such-option"}, 2, false, true}));

TEST(Cli, UnknownCommandIsNamed) {
  const Outcome o = run({"frobnicate"});
  EXPECT_NE(o.err.find("unknown command 'frobnicate'"), std::string::npos) << o.err;
  EXPECT_TRUE(o.out.empty());
}

// The installed executable gives the same exit codes to a shell.
TEST(Cli, ExecutableExitCodes) {
  struct {
    const char* args;
    int code;
  } cases[] = {{"--help", 0}, {"", 2}, {"bogus", 2}};
  for (const auto& c : cases) {
    const std::string cmd = std::string(STATORIUM_CLI_PATH) + " " + c.args + " >/dev/null 2>&1";
    const int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << cmd;
    EXPECT_EQ(WEXITSTATUS(status), c.code) << cmd;
  }
}

}  // namespace
