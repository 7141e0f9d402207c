#pragma once
// The law options shared by the commands that generate series.

#include <optional>
#include <string>

#include "cli/arguments.h"
#include "core/series.h"

namespace statorium::cli {

/// --law and the parameters, each starting at the windows' start value.
struct LawOptions {
  std::optional<SeriesLaw> law;
  long double lambda = 0.3L, sigma = 100.3L, m = 35.2L, alpha = 10.5L, beta = 4.2L;

  /// Takes `option` and its value when it is one of --law, --lambda, --sigma, --m, --alpha,
  /// --beta; false for any other option. A bad value is a UsageError.
  bool take(const std::string& option, ArgumentReader& in);
  /// The chosen law's parameters (lambda; sigma and m; alpha and beta).
  SeriesParameters parameters() const;
};

}  // namespace statorium::cli
