#pragma once
// statorium-cli nd-similarity: the multi-dimensional similarity check of statobject files.

#include "cli/cliapp.h"

namespace statorium::cli {

Command ndSimilarityCommand();

}  // namespace statorium::cli
