#pragma once
// statorium-cli twod: the two-dimensional analysis of two properties of a statobject file.

#include "cli/cliapp.h"

namespace statorium::cli {

Command twoDCommand();

}  // namespace statorium::cli
