#pragma once
// statorium-cli dependence: "Evaluate" of the property dependence page for a statobject file.

#include "cli/cliapp.h"

namespace statorium::cli {

Command dependenceCommand();

}  // namespace statorium::cli
