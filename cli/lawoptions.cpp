#include "cli/lawoptions.h"

#include "cli/cliapp.h"

namespace statorium::cli {

bool LawOptions::take(const std::string& option, ArgumentReader& in) {
  if (option == "--law") {
    const std::string name = in.next("law");
    if (name == "exponential")
      law = SeriesLaw::Exponential;
    else if (name == "normal")
      law = SeriesLaw::Normal;
    else if (name == "weibull")
      law = SeriesLaw::Weibull;
    else
      throw UsageError{"bad law '" + name + "'"};
  } else if (option == "--lambda") {
    lambda = in.nextNumber("lambda");
  } else if (option == "--sigma") {
    sigma = in.nextNumber("sigma");
  } else if (option == "--m") {
    m = in.nextNumber("m");
  } else if (option == "--alpha") {
    alpha = in.nextNumber("alpha");
  } else if (option == "--beta") {
    beta = in.nextNumber("beta");
  } else {
    return false;
  }
  return true;
}

SeriesParameters LawOptions::parameters() const {
  switch (law.value_or(SeriesLaw::Exponential)) {
    case SeriesLaw::Exponential:
      return {static_cast<double>(lambda), 0};
    case SeriesLaw::Normal:
      return {static_cast<double>(sigma), static_cast<double>(m)};
    case SeriesLaw::Weibull:
      return {static_cast<double>(alpha), static_cast<double>(beta)};
  }
  return {};
}

}  // namespace statorium::cli
