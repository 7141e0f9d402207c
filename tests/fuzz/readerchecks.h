#pragma once
// The promises the file readers keep for any bytes whatever, checked by the fuzz targets on every
// input and by the core tests on the seed corpus and the inputs the fuzzers once broke them with.
// Each check writes the bytes to a file in `folder` (the readers take file names) and returns ""
// when every promise holds, otherwise which one broke. Anything else a reader throws escapes.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "core/extended80.h"
#include "core/numtext.h"
#include "core/statsobject.h"
#include "core/values.h"

namespace statorium::fuzz {

/// Replaces the file `name` in `folder` by `bytes` and returns its path.
inline std::string writeInput(const std::string& folder, const char* name, std::string_view bytes) {
  const std::string path = folder + "/" + name;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) throw Error("cannot create " + path);
  for (const char* p = bytes.data(); p < bytes.data() + bytes.size();) {
    const ssize_t n = ::write(fd, p, static_cast<size_t>(bytes.data() + bytes.size() - p));
    if (n <= 0) {
      ::close(fd);
      throw Error("cannot write " + path);
    }
    p += n;
  }
  ::close(fd);
  return path;
}

inline bool allFinite(const std::vector<long double>& values) {
  return std::all_of(values.begin(), values.end(), [](long double v) { return std::isfinite(v); });
}

/// The sample text reader and the number tokens it parses.
inline std::string checkTextSample(const std::string& folder, std::string_view bytes) {
  long double v = 0;
  if (parsePointNumber(bytes, v) && !std::isfinite(v)) return "parsePointNumber: not finite";
  if (!bytes.empty() && static_cast<unsigned char>(bytes[0]) > 32) {
    const size_t used = parsePointToken(bytes, v);
    if (used > bytes.size()) return "parsePointToken: used more than the text";
    if (used > 0 && !std::isfinite(v)) return "parsePointToken: not finite";
  }
  for (char sep : {'.', ','}) {
    DecimalSeparatorScope scope(sep);
    if (parseLocaleNumber(bytes, v) && !std::isfinite(v)) return "parseLocaleNumber: not finite";
  }

  // An ordinary file always opens, so no error may come out of the reader.
  TValues sample({42});
  sample.LoadFromTxtFile(writeInput(folder, "sample.txt", bytes));
  const auto lines = std::count(bytes.begin(), bytes.end(), '\n') + 1;
  if (sample.count() > lines) return "text reader: more values than lines";
  if (!allFinite(sample.data())) return "text reader: a value is not finite";

  // Every value read can be written as a file field and read back.
  for (long double x : sample.data()) {
    const std::string field = formatFileField(x);
    if (field.size() != 23) return "formatFileField: not 23 characters";
    long double back = 0;
    if (!parsePointNumber(std::string_view(field).substr(field[0] == ' ' ? 1 : 0), back) ||
        !std::isfinite(back))
      return "formatFileField: the field does not read back";
  }
  return "";
}

/// The sample CSV reader and the CSV statobject reader, with "." and "," as the decimal separator.
inline std::string checkCsv(const std::string& folder, std::string_view bytes) {
  const std::string path = writeInput(folder, "table.csv", bytes);
  for (char sep : {'.', ','}) {
    DecimalSeparatorScope scope(sep);
    TStatsObject object;
    object.readObject(path);
    if (object.name != "table.csv") return "CSV statobject: the name is not the file's";
    for (int j = 0; j < object.propCount(); ++j) {
      if (object.Prop(j).count() != object.Prop(0).count())
        return "CSV statobject: properties of unequal length";
      if (!allFinite(object.Prop(j).data())) return "CSV statobject: a value is not finite";
    }
    // Both readers split and convert alike; the sample reader stops at the first line without
    // its column, so what it reads is the start of the statobject's property.
    for (int column = 0; column < 3; ++column) {
      TValues sample({42});
      sample.LoadFromCsvFile(path, column);
      if (!allFinite(sample.data())) return "CSV sample: a value is not finite";
      if (column >= object.propCount()) continue;
      const std::vector<long double>& whole = object.Prop(column).data();
      if (sample.data().size() > whole.size() ||
          !std::equal(sample.data().begin(), sample.data().end(), whole.begin()))
        return "CSV sample: the column is not the start of the property";
    }
  }
  return "";
}

/// The statobject reader, the single-property reader and the 10-byte reals.
inline std::string checkStatobject(const std::string& folder, std::string_view bytes) {
  if (bytes.size() >= 10) {
    const auto* raw = reinterpret_cast<const uint8_t*>(bytes.data());
    long double v, w;
    uint8_t again[10];
    if (decodeExtended80(raw, v)) {
      if (!std::isfinite(v)) return "decodeExtended80: not finite";
      encodeExtended80(v, again);
      if (!decodeExtended80(again, w) || w != v) return "encodeExtended80: does not read back";
    }
  }

  const std::string path = writeInput(folder, "object.sta", bytes);
  TStatsObject object;
  bool whole = true;
  try {
    object.readObject(path);
  } catch (const Error&) {
    // A damaged file fails as a whole: nothing of it is added.
    if (object.propCount() != 0 || !object.name.empty()) return "statobject: partly read";
    whole = false;
  }
  for (int p = 0; p < object.propCount(); ++p)
    if (!allFinite(object.Prop(p).data())) return "statobject: a value is not finite";

  // The single-property reader appends, never fails, and agrees with the whole-object reader.
  const int last = whole ? std::min(object.propCount(), 4) : 4;
  for (int number = -1; number <= last; ++number) {
    TValues sample({42});
    sample.LoadFromObject(path, number);
    if (sample.count() < 1 || sample.getAt(0) != 42) return "LoadFromObject: lost what it had";
    if (!allFinite(sample.data())) return "LoadFromObject: a value is not finite";
    if (!whole) continue;
    std::vector<long double> expected{42};
    if (number >= 0 && number < object.propCount())
      expected.insert(expected.end(), object.Prop(number).data().begin(),
                      object.Prop(number).data().end());
    if (sample.data() != expected) return "LoadFromObject: disagrees with readObject";
  }

  // What was read writes back to a file that reads back to the same properties.
  if (whole) {
    const std::string copy = folder + "/copy.sta";
    object.writeObject(copy);
    TStatsObject again;
    again.readObject(copy);
    if (again.propCount() != object.propCount()) return "writeObject: lost properties";
    for (int p = 0; p < object.propCount(); ++p)
      if (again.Prop(p).data() != object.Prop(p).data()) return "writeObject: a property differs";
  }
  return "";
}

}  // namespace statorium::fuzz
