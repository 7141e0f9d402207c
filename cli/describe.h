#pragma once
// statorium-cli describe: the main window's one-dimensional analysis of a file.

#include "cli/cliapp.h"

namespace statorium::cli {

Command describeCommand();

}  // namespace statorium::cli
