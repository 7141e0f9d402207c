#pragma once
// statorium-cli experiment: the average-parameters experiment.

#include "cli/cliapp.h"

namespace statorium::cli {

Command experimentCommand();

}  // namespace statorium::cli
