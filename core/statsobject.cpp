#include "core/statsobject.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/csvfields.h"
#include "core/errors.h"
#include "core/extended80.h"
#include "core/numtext.h"
#include "core/progress.h"
#include "core/safefile.h"
#include "core/textlines.h"

namespace statorium {

namespace {

constexpr const char* kDamaged = "The file is truncated or damaged.";

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Reads a statobject file with every count checked against the bytes that remain, so that a
// damaged count can neither allocate beyond the file nor read past it.
class StaReader {
 public:
  explicit StaReader(const std::string& fileName) : m_fileName(fileName) {
    struct stat st;
    if (::stat(fileName.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
      throw cannotOpenFile(fileName, std::strerror(EISDIR));
    m_file.reset(std::fopen(fileName.c_str(), "rb"));
    if (!m_file) throw cannotOpenFile(fileName, std::strerror(errno));
    if (::fstat(::fileno(m_file.get()), &st) != 0)
      throw cannotOpenFile(fileName, std::strerror(errno));
    m_remaining = m_size = static_cast<long long>(st.st_size);
  }

  // The bytes read so far.
  long long passed() const { return m_size - m_remaining; }
  long long size() const { return m_size; }

  int32_t readCount() {
    uint8_t b[4];
    readBytes(b, 4);
    const int32_t v = static_cast<int32_t>(
        static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
        (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24));
    return v;
  }

  // A count of items of `itemSize` bytes that must all still be in the file.
  int32_t readCountOf(int itemSize) {
    const int32_t c = readCount();
    if (c < 0 || static_cast<long long>(c) * itemSize > m_remaining) fail();
    return c;
  }

  void readBytes(void* out, size_t size) {
    if (static_cast<long long>(size) > m_remaining) fail();
    if (std::fread(out, 1, size, m_file.get()) != size) fail();
    m_remaining -= static_cast<long long>(size);
  }

  void skip(long long size) {
    if (size > m_remaining) fail();
    if (std::fseek(m_file.get(), size, SEEK_CUR) != 0) fail();
    m_remaining -= size;
  }

  // Appends `count` values (already checked against the file size) to `out`, telling `counter`
  // the bytes read after every block of them.
  void readValues(int32_t count, std::vector<long double>& out,
                  ProgressCounter* counter = nullptr) {
    constexpr int kBlock = 4096;
    uint8_t buf[kBlock * 10];
    out.reserve(out.size() + count);
    for (int32_t done = 0; done < count;) {
      const int n = std::min(kBlock, count - done);
      readBytes(buf, static_cast<size_t>(n) * 10);
      for (int i = 0; i < n; ++i) {
        long double v;
        if (!decodeExtended80(buf + 10 * i, v)) fail();
        out.push_back(v);
      }
      done += n;
      if (counter) counter->at(passed());
    }
  }

  [[noreturn]] void fail() const { throw damagedFile(m_fileName, kDamaged); }

 private:
  std::string m_fileName;
  FilePtr m_file;
  long long m_remaining = 0;
  long long m_size = 0;
};

std::string baseName(const std::string& fileName) {
  const size_t slash = fileName.find_last_of('/');
  return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

}  // namespace

int TStatsObject::addValues(const TValues& values) {
  m_properties.push_back(values.Clone());
  return propCount();
}

TValues& TStatsObject::Prop(int i) {
  if (i < 0 || i >= propCount()) throw listIndexError(i);
  return m_properties[i];
}

const TValues& TStatsObject::Prop(int i) const {
  if (i < 0 || i >= propCount()) throw listIndexError(i);
  return m_properties[i];
}

int TStatsObject::MinValuesCount() const {
  if (m_properties.empty()) return 0;
  int least = m_properties.front().count();
  for (const TValues& p : m_properties) least = std::min(least, p.count());
  return least;
}

void TStatsObject::readObject(const std::string& fileName, const Progress& progress) {
  if (lowerExtension(fileName) == ".sta")
    readStaObject(fileName, progress);
  else
    readCsvObject(fileName, progress);
}

void TStatsObject::readStaObject(const std::string& fileName, const Progress& progress) {
  StaReader in(fileName);
  ProgressCounter counter(progress, in.size(), kReadProgressBytes);
  const int32_t nameBytes = in.readCountOf(1);
  std::string raw(static_cast<size_t>(nameBytes), '\0');
  in.readBytes(raw.data(), raw.size());
  std::u16string units;
  for (size_t i = 0; i + 1 < raw.size(); i += 2)  // an odd last byte is half a unit: dropped
    units.push_back(static_cast<char16_t>(static_cast<uint8_t>(raw[i]) |
                                          (static_cast<uint8_t>(raw[i + 1]) << 8)));
  const int32_t props = in.readCountOf(4);
  std::vector<TValues> read;
  read.reserve(props);
  for (int32_t p = 0; p < props; ++p) {
    const int32_t c = in.readCountOf(10);
    std::vector<long double> values;
    in.readValues(c, values, &counter);
    read.emplace_back(std::move(values));
  }
  name = utf16ToUtf8(units);
  for (TValues& v : read) m_properties.push_back(std::move(v));
}

void TStatsObject::readCsvObject(const std::string& fileName, const Progress& progress) {
  std::vector<std::vector<long double>> columns;
  std::vector<std::string> fields;
  CsvLineSplitter splitter;
  bool first = true;
  forEachLine(
      fileName,
      [&](std::string_view line) {
        splitter.split(line, fields);
        if (first) {
          first = false;
          columns.resize(fields.size());
          if (isCsvHeader(fields)) return true;
        } else if (fields.empty()) {
          // A blank line (often a doubled line end at the close of the file) holds no observation;
          // reading it as a row of zeros would add data that is not in the file.
          return true;
        }
        for (size_t j = 0; j < columns.size(); ++j) {
          long double v = 0;
          if (j >= fields.size() || !parseLocaleNumber(fields[j], v)) v = 0;
          columns[j].push_back(v);
        }
        return true;
      },
      progress);
  for (auto& c : columns) m_properties.emplace_back(std::move(c));
  name = baseName(fileName);
}

void TStatsObject::writeObject(const std::string& fileName) const {
  SafeFileWriter out(fileName);
  auto writeCount = [&](int32_t c) {
    const uint32_t u = static_cast<uint32_t>(c);
    const uint8_t b[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8),
                          static_cast<uint8_t>(u >> 16), static_cast<uint8_t>(u >> 24)};
    out.write(b, 4);
  };
  const std::u16string units = utf8ToUtf16(name);
  // The length field counts characters but only that many bytes of the UTF-16 text follow.
  const int32_t length = static_cast<int32_t>(units.size());
  std::string bytes;
  for (char16_t u : units) {
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  writeCount(length);
  out.write(bytes.data(), static_cast<size_t>(length));
  writeCount(propCount());
  std::vector<uint8_t> block;
  for (const TValues& p : m_properties) {
    writeCount(p.count());
    block.resize(static_cast<size_t>(p.count()) * 10);
    for (int i = 0; i < p.count(); ++i) encodeExtended80(p.data()[i], block.data() + 10 * i);
    out.write(block.data(), block.size());
  }
  out.commit();
}

void TValues::LoadFromObject(const std::string& fileName, int number) {
  try {
    StaReader in(fileName);
    in.skip(in.readCountOf(1));
    const int32_t props = in.readCountOf(4);
    if (number < 0 || number >= props) return;
    for (int p = 0; p < number; ++p) in.skip(static_cast<long long>(in.readCountOf(10)) * 10);
    const int32_t c = in.readCountOf(10);
    std::vector<long double> values;
    in.readValues(c, values);
    m_x.insert(m_x.end(), values.begin(), values.end());
  } catch (const Error&) {
    // Failures are swallowed here by design; a damaged property appends nothing.
  }
}

std::u16string utf8ToUtf16(const std::string& text) {
  std::u16string out;
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    char32_t cp;
    int extra;
    if (c < 0x80) {
      cp = c;
      extra = 0;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F;
      extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F;
      extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07;
      extra = 3;
    } else {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= n || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    // Beyond the last code point UTF-16 has no pair of units for it.
    if (!ok || cp > 0x10FFFF) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    i += extra + 1;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string utf16ToUtf8(const std::u16string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // a lone half of a surrogate pair
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

}  // namespace statorium
