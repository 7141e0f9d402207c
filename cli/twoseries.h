#pragma once
// statorium-cli two-series: the two-series similarity check of two files.

#include "cli/cliapp.h"

namespace statorium::cli {

Command twoSeriesCommand();

}  // namespace statorium::cli
