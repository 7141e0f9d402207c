#pragma once
// The batch program's command line: parsing, dispatch to the commands, exit codes.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace statorium::cli {

/// Exit codes of the batch program.
enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2 };

/// A usage error: a short text for standard error; exits with kUsage.
struct UsageError {
  std::string message;
};

/// One command of the batch program.
struct Command {
  std::string name;
  std::string synopsis;  // the arguments after the command's name
  std::string help;      // what it prints
  /// Runs with the arguments after the command's name; prints the results to `out`.
  /// Throws UsageError for bad arguments and statorium::Error when the analysis fails.
  std::function<void(const std::vector<std::string>& args, std::ostream& out)> run;
};

/// The commands the program knows, in the order of the usage text.
const std::vector<Command>& commands();

/// Runs the batch program on its arguments (without the program name) and returns the exit
/// code: 0 after a complete run, 1 after an error (its message on `err`, what was printed
/// before it kept), 2 for a usage error (with the usage text on `err`).
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace statorium::cli
