#pragma once
// statorium-cli compose: the statobject composition window's "Ready" on a list of files.

#include "cli/cliapp.h"

namespace statorium::cli {

Command composeCommand();

}  // namespace statorium::cli
