#pragma once
// The hostile inputs of the reliability tests, shared by the batch-program and the window tests:
// samples that are empty, of one value or of equal values, beyond the range of the arithmetic in
// both directions, binary junk; statobject files that are truncated, damaged, ragged or
// degenerate; and, written on first use, a sample file of ten million lines.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/statsobject.h"
#include "tests/support/tempdir.h"

namespace statorium::test {

/// True when `text` shows a not-a-number or an infinity in any letter case or number form:
/// "nan", "-nan", "NaN", "inf", "-Inf", "INF", "infinity", "1.#INF", "∞". Words that merely hold
/// those letters ("information", "finance") do not count.
inline bool showsNonFinite(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const auto letter = [&](size_t i) {
    return i < lower.size() && std::isalpha(static_cast<unsigned char>(lower[i]));
  };
  for (const std::string_view word : {"nan", "inf"}) {
    for (size_t at = lower.find(word); at != std::string::npos; at = lower.find(word, at + 1)) {
      const size_t end = at + word.size();
      const bool before = at > 0 && letter(at - 1);
      const bool after = letter(end) && lower.compare(end, 5, "inity") != 0;
      if (!before && !after) return true;
    }
  }
  return lower.find("\xe2\x88\x9e") != std::string::npos;  // U+221E INFINITY
}

/// True when the run is instrumented or watched by a sanitizer, which makes the ten-million-line
/// inputs cost minutes: the AddressSanitizer build, or the window tests run with its runtime
/// preloaded (scripts/test).
inline bool underSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return true;
#endif
#endif
  const char* preload = std::getenv("LD_PRELOAD");
  return std::getenv("ASAN_OPTIONS") ||
         (preload && std::string_view(preload).find("asan") != std::string_view::npos);
}

/// The hostile files in one folder, named as the tests name them:
/// - sample text files: "empty.txt", "blank.txt" (blank lines only), "one.txt", "const.txt"
///   (20 equal values), "huge.txt" (values near 1e4000), "tiny.txt" (near 1e-4000),
///   "beyond-double.txt" (near 1e400: within the extended range, beyond the chart's),
///   "junk.bin" (binary bytes), "ok1.txt" and "ok2.txt" (ordinary samples of 20 values) and
///   "short.txt" (7 values);
/// - statobject files: "good.sta" and "good2.sta" (3 properties, 30 observations, the second
///   property tied to the first), "truncated.sta" (the first half of good.sta), "damaged.sta"
///   (a count beyond the file), "badvalue.sta" (a not-a-number among the values), "empty.sta",
///   "junk.sta", "ragged.sta" (30, 12 and 30 values), "constprop.sta" (a property of equal
///   values), "huge.sta", "tiny.sta", "beyond-double.sta" (two properties near 1e400),
///   "oneprop.sta", "twoobs.sta" (two observations),
///   "dup.sta" (two equal properties) and "ragged.csv" (a CSV statobject of short lines);
/// - "folder.sta": a folder; "missing.txt" and "missing.sta" are never created.
class HostileFiles {
 public:
  static constexpr long long kBigLines = 10'000'000;

  HostileFiles() {
    m_dir.write("empty.txt", "");
    m_dir.write("blank.txt", " \n\t\n\r\n\n");
    m_dir.write("one.txt", "5\n");
    m_dir.write("const.txt", repeat("3\n", 20));
    m_dir.write("huge.txt", scaled("e4000"));
    m_dir.write("tiny.txt", scaled("e-4000"));
    m_dir.write("beyond-double.txt", scaled("e400"));
    m_dir.write("junk.bin", junk(4096));
    m_dir.write("ok1.txt", sampleText(20, 10, 0.0));
    m_dir.write("ok2.txt", sampleText(20, 12, 1.3));
    m_dir.write("short.txt", sampleText(7, 11, 0.5));

    const std::vector<long double> a = series(30, 10, 3, 0.0), c = series(30, 5, 4, 2.1);
    std::vector<long double> b;
    for (size_t i = 0; i < a.size(); ++i) b.push_back(2 * a[i] + std::sin(2.9L * i));
    sta("good.sta", {a, b, c});
    sta("good2.sta", {series(30, 11, 3, 0.7), series(30, 20, 6, 1.9), series(30, 6, 4, 2.6)});
    const std::string good = TempDir::read(path("good.sta"));
    m_dir.write("truncated.sta", good.substr(0, good.size() / 2));
    std::string damaged = good;
    // The name "x" takes 4 + 1 bytes and the property count 4: then the first value count.
    damaged.replace(4 + 1 + 4, 4, "\xff\xff\xff\x7f");
    m_dir.write("damaged.sta", damaged);
    std::string bad = good;
    bad.replace(4 + 1 + 4 + 4 + 10 * 3, 10, std::string("\0\0\0\0\0\0\0\xc0\xff\x7f", 10));
    m_dir.write("badvalue.sta", bad);
    m_dir.write("empty.sta", "");
    m_dir.write("junk.sta", junk(4096));
    sta("ragged.sta", {a, series(12, 3, 1, 0.4), c});
    sta("constprop.sta", {a, std::vector<long double>(30, 7), c});
    sta("huge.sta", {scaledValues(30, 4000), a});
    std::vector<long double> aBeyond;
    for (long double v : a) aBeyond.push_back(v * 1e400L);
    sta("beyond-double.sta", {scaledValues(30, 400), aBeyond, c});
    sta("tiny.sta", {scaledValues(30, -4000), a, c});
    sta("oneprop.sta", {a});
    sta("twoobs.sta", {{1, 2}, {3, 5}, {2, 7}});
    sta("dup.sta", {a, a, c});
    m_dir.write("ragged.csv", "1,2,3\n4\n5,6\n7,8,9,10\n");
    std::filesystem::create_directory(path("folder.sta"));
  }

  const TempDir& dir() const { return m_dir; }
  std::string path(const std::string& name) const { return m_dir.file(name); }

  /// "big.txt": kBigLines values from 0 to 1000 in a fixed scattered order, written once.
  std::string bigSample() {
    const std::string p = path("big.txt");
    if (m_bigWritten) return p;
    std::FILE* f = std::fopen(p.c_str(), "wb");
    std::string chunk;
    for (long long i = 0; i < kBigLines; ++i) {
      const long long v = (i * 7919) % 100003;
      chunk += std::to_string(v / 100) + '.' + std::to_string(v % 100) + '\n';
      if (chunk.size() > (1 << 20)) {
        std::fwrite(chunk.data(), 1, chunk.size(), f);
        chunk.clear();
      }
    }
    std::fwrite(chunk.data(), 1, chunk.size(), f);
    std::fclose(f);
    m_bigWritten = true;
    return p;
  }

 private:
  static std::string repeat(const std::string& line, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += line;
    return s;
  }
  // Twenty values k·10^e for k = 1 ... 9 in a scattered order.
  static std::string scaled(const char* exponent) {
    std::string s;
    for (int i = 0; i < 20; ++i) s += std::to_string(i * 4 % 9 + 1) + exponent + "\n";
    return s;
  }
  static std::vector<long double> scaledValues(int n, int exponent) {
    std::vector<long double> v;
    for (int i = 0; i < n; ++i) v.push_back((i * 4 % 9 + 1) * std::pow(10.0L, exponent));
    return v;
  }
  // A spread of values without a pattern a test could depend on.
  static std::vector<long double> series(int n, long double mean, long double spread,
                                         long double phase) {
    std::vector<long double> v;
    for (int i = 0; i < n; ++i)
      v.push_back(mean + spread * (std::sin(1.7L * i + phase) + 0.5L * std::cos(0.3L * i * i)));
    return v;
  }
  static std::string sampleText(int n, long double mean, long double phase) {
    std::string s;
    char line[64];
    for (long double v : series(n, mean, 3, phase)) {
      std::snprintf(line, sizeof line, "%.6Lf\n", v);
      s += line;
    }
    return s;
  }
  // Bytes of a fixed generator behind the start of an executable.
  static std::string junk(int n) {
    std::string s =
        "\x7f"
        "ELF\x02\x01\x01";
    uint32_t x = 2463534242u;
    while (static_cast<int>(s.size()) < n) {
      x ^= x << 13;
      x ^= x >> 17;
      x ^= x << 5;
      s.push_back(static_cast<char>(x & 0xFF));
    }
    return s;
  }
  void sta(const char* name, const std::vector<std::vector<long double>>& props) {
    TStatsObject obj;
    obj.name = "x";
    for (const std::vector<long double>& p : props) obj.addValues(TValues(p));
    obj.writeObject(path(name));
  }

  TempDir m_dir;
  bool m_bigWritten = false;
};

}  // namespace statorium::test
