#pragma once
// statorium-cli generate: series creation into a given file.

#include "cli/cliapp.h"

namespace statorium::cli {

Command generateCommand();

}  // namespace statorium::cli
