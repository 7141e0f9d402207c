#pragma once
// statorium-cli many-series: the many-series similarity check.

#include "cli/cliapp.h"

namespace statorium::cli {

Command manySeriesCommand();

}  // namespace statorium::cli
