#pragma once
// statorium-cli regression: the regression window for one property of a statobject file.

#include "cli/cliapp.h"

namespace statorium::cli {

Command regressionCommand();

}  // namespace statorium::cli
