#include "cli/describe.h"

#include <ostream>

#include "cli/arguments.h"
#include "core/errors.h"
#include "core/numtext.h"
#include "core/sampleanalysis.h"
#include "core/sampleopening.h"

namespace statorium::cli {

namespace {

struct DescribeOptions {
  std::string file;
  int property = 1;
  std::optional<int> classes;
  std::optional<int> law;
  long double level = 0.05L;
  AbnormalMode mode = AbnormalMode::DontDrop;
  std::string left, right;  // the bounds as the mode's edits would hold them
};

// A number argument as the text of an edit that reads the locale's separator: the argument as
// typed (with "." replaced when the locale uses another separator), so that the edit yields
// every digit of it rather than a 15-digit reformatting.
std::string nextEditText(ArgumentReader& in, const std::string& what) {
  std::string text = in.done() ? std::string() : in.peek();
  in.nextNumber(what);  // a usage error unless it is a number
  long double v;
  if (!parseLocaleNumber(text, v))
    for (char& c : text)
      if (c == '.') c = decimalSeparator();
  return text;
}

DescribeOptions parse(const std::vector<std::string>& args) {
  DescribeOptions o;
  bool haveDrop = false;
  o.file = readFileAndOptions(args, [&o, &haveDrop](const std::string& a, ArgumentReader& in) {
    if (a == "--property") {
      o.property = static_cast<int>(in.nextInteger("property number", 1, 1 << 30));
    } else if (a == "--classes") {
      o.classes = static_cast<int>(in.nextInteger("class count", 1, 2147483647));
    } else if (a == "--law") {
      const std::string name = in.next("law");
      static const char* const names[] = {"normal", "exponential", "uniform", "weibull", "none"};
      int found = -1;
      for (int i = 0; i < 5; ++i)
        if (name == names[i]) found = i;
      if (found < 0) throw UsageError{"bad law '" + name + "'"};
      o.law = found;
    } else if (a == "--level") {
      o.level = in.nextNumber("level");
      // The settings offer the levels 0.01 to 0.99.
      if (!(o.level >= 0.01L && o.level <= 0.99L))
        throw UsageError{"the level must be 0.01 to 0.99"};
    } else if (a == "--drop-gamma" || a == "--drop-interval") {
      if (haveDrop) throw UsageError{"--drop-gamma and --drop-interval exclude each other"};
      haveDrop = true;
      o.mode = a == "--drop-gamma" ? AbnormalMode::GammaDrop : AbnormalMode::IntervalDrop;
      o.left = nextEditText(in, "left bound");
      o.right = nextEditText(in, "right bound");
    } else {
      return false;
    }
    return true;
  });
  return o;
}

void run(const std::vector<std::string>& args, std::ostream& out) {
  const DescribeOptions o = parse(args);
  const auto noProperty = [&] {
    return Error("The statobject has no property " + std::to_string(o.property));
  };
  bool asked = false;
  TValues values = openValues(o.file, [&](const TStatsObject& obj) {
    asked = true;
    if (o.property > obj.propCount()) throw noProperty();
    return o.property - 1;
  });
  // A statobject of one property (or none) is taken without asking: it has no property 2.
  const std::string ext = lowerExtension(o.file);
  if (!asked && o.property > 1 && (ext == ".sta" || ext == ".csv")) throw noProperty();
  TSampleAnalysis a;
  if (!a.load(std::move(values))) throw Error("No values were read from \"" + o.file + "\"");
  // The inputs as the window's controls would hold them.
  a.level = o.level;
  if (o.classes) {
    a.setClassCount = true;
    a.classCountText = std::to_string(*o.classes);
  }
  if (o.mode == AbnormalMode::GammaDrop) {
    a.gamma1Text = o.left;
    a.gamma2Text = o.right;
  } else if (o.mode == AbnormalMode::IntervalDrop) {
    a.leftText = o.left;
    a.rightText = o.right;
  }
  a.applyAbnormalMode(o.mode);
  if (o.law) {
    a.lawIndex = *o.law;
    a.lawChosen();
  }
  out << "Values: " << a.sample.count() << "\n";
  out << "Classes: " << a.classCountText << "\n";
  for (int r = 1; r < 8; ++r) {
    const auto& row = a.characteristicsGrid[r];
    if (row[0].empty()) continue;  // the row the window blanks
    out << row[0];
    for (int c = 1; c < 5; ++c) out << '\t' << row[c];
    out << "\n";
  }
  out << "Law: " << kLawItems[a.lawIndex] << "\n";
  out << a.lawParamsText << "\n" << a.criteria1Text << "\n" << a.criteria2Text << "\n";
}

}  // namespace

Command describeCommand() {
  return {
      "describe",
      "FILE [--property N] [--classes K] [--law normal|exponential|uniform|weibull|none] "
      "[--level P] [--drop-gamma LEFT RIGHT | --drop-interval LEFT RIGHT]",
      "The main window's analysis of FILE (property N of a statobject file, default 1) with the\n"
      "abnormal-value mode, class count K and significance level P (default 0.05) applied,\n"
      "then the law chosen by hand when --law is given. Prints the sample size, the class\n"
      "count, the characteristics rows, the law and the three law texts.",
      run};
}

}  // namespace statorium::cli
