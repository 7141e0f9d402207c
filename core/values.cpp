#include "core/values.h"

#include <algorithm>
#include <cmath>

#include "core/csvfields.h"
#include "core/errors.h"
#include "core/extendedsort.h"
#include "core/fpfault.h"
#include "core/largearray.h"
#include "core/numtext.h"
#include "core/safefile.h"
#include "core/textlines.h"

namespace statorium {

std::string lowerExtension(const std::string& fileName) {
  const size_t slash = fileName.find_last_of('/');
  const size_t dot = fileName.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = fileName.substr(dot);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

TValues TValues::Clone() const {
  TValues copy;
  reserveLarge(copy.m_x, m_x.size());
  copy.m_x.assign(m_x.begin(), m_x.end());
  return copy;
}

void TValues::checkIndex(int i) const {
  if (i < 0 || i >= count()) throw listIndexError(i);
}

long double TValues::getAt(int i) const {
  checkIndex(i);
  return m_x[i];
}

void TValues::setAt(int i, long double v) {
  checkIndex(i);
  m_x[i] = v;
}

void TValues::Insert(int i, long double x) {
  if (i < 0 || i > count()) throw listIndexError(i);
  m_x.insert(m_x.begin() + i, x);
}

void TValues::Delete(int i) {
  checkIndex(i);
  m_x.erase(m_x.begin() + i);
}

long double TValues::Max() const {
  if (m_x.empty()) throw listIndexError(0);
  return *std::max_element(m_x.begin(), m_x.end());
}

long double TValues::Min() const {
  if (m_x.empty()) throw listIndexError(0);
  return *std::min_element(m_x.begin(), m_x.end());
}

long double TValues::Average(long double* D) const {
  FpScope fp;
  long double sum = 0;
  bool allEqual = true;
  for (long double v : m_x) {
    sum += v;
    allEqual = allEqual && v == m_x.front();
  }
  const long double n = static_cast<long double>(m_x.size());
  long double mean = sum / n;
  fp.check(mean);
  // The rounded sum of equal values divided by n need not give the value back; the mean of
  // equal values is the value itself, so that their deviation is exactly 0 and the operations
  // that divide by it fail as they must.
  if (allEqual && !m_x.empty()) mean = m_x.front();
  if (D) *D = AverageQuadratic() / std::sqrt(n);
  fp.check();
  return mean;
}

long double TValues::AverageQuadratic(long double* D) const {
  const long double mean = Average();
  FpScope fp;
  long double sum = 0;
  for (long double v : m_x) sum += (v - mean) * (v - mean);
  const long double n = static_cast<long double>(m_x.size());
  const long double s = std::sqrt(sum / (n - 1));
  fp.check(s);
  if (D) {
    *D = s / std::sqrt(2 * n);
    fp.check(*D);
  }
  return s;
}

void TValues::MakeStandard() {
  const long double mean = Average();
  const long double s = AverageQuadratic();
  FpScope fp;
  std::vector<long double> out(m_x.size());
  for (size_t i = 0; i < m_x.size(); ++i) out[i] = (m_x[i] - mean) / s;
  fp.check();  // all values equal: 0/0, and the sample stays as it was
  m_x = std::move(out);
}

void TValues::dropAbnormalsOutOfInterval(long double left, long double right) {
  std::erase_if(m_x, [&](long double v) { return v < left || v > right; });
}

void TValues::QuickSort() {
  if (m_x.empty()) throw listIndexError(0);
  sortExtended(m_x);
}

void TValues::LoadFromFile(const std::string& fileName, const Progress& progress) {
  if (lowerExtension(fileName) == ".csv")
    LoadFromCsvFile(fileName, 0, progress);
  else
    LoadFromTxtFile(fileName, progress);
}

namespace {

// Reads lines into `values` as forEachLine does; a cancelled reading leaves no values, and none
// of the memory reserved for them.
void readLines(std::vector<long double>& values, const std::string& fileName,
               const std::function<bool(std::string_view)>& onLine, const Progress& progress) {
  try {
    forEachLine(fileName, onLine, progress);
  } catch (const Cancelled&) {
    values = {};
    throw;
  }
}

}  // namespace

void TValues::LoadFromTxtFile(const std::string& fileName, const Progress& progress) {
  m_x.clear();
  // Growing the array by doubling copies it again and again for a large file; after the first
  // lines the file's size tells about how many values follow, so the array is sized once.
  const long long fileSize = regularFileSize(fileName);
  long long bytesSeen = 0;
  constexpr size_t kSampleLines = 1024;
  readLines(
      m_x, fileName,
      [&](std::string_view line) {
        bytesSeen += static_cast<long long>(line.size()) + 1;
        if (m_x.size() == kSampleLines && fileSize > bytesSeen) {
          const long double perLine = static_cast<long double>(bytesSeen) / kSampleLines;
          reserveLarge(m_x, static_cast<size_t>(fileSize / perLine * 1.05L) + kSampleLines);
        }
        size_t b = 0;
        while (b < line.size() && static_cast<unsigned char>(line[b]) <= 32) ++b;
        if (b == line.size()) return true;  // blank line: no number is due here
        long double v;
        if (parsePointToken(line.substr(b), v) == 0) return false;
        m_x.push_back(v);
        return true;
      },
      progress);
}

void TValues::LoadFromCsvFile(const std::string& fileName, int index, const Progress& progress) {
  m_x.clear();
  std::vector<std::string> fields;
  CsvLineSplitter splitter;
  bool first = true;
  readLines(
      m_x, fileName,
      [&](std::string_view line) {
        splitter.split(line, fields);
        if (first) {
          first = false;
          if (isCsvHeader(fields)) return true;
        }
        if (index < 0 || static_cast<size_t>(index) >= fields.size()) return false;
        long double v;
        m_x.push_back(parseLocaleNumber(fields[index], v) ? v : 0.0L);
        return true;
      },
      progress);
}

void TValues::SaveToFile(const std::string& fileName, const Progress& progress) const {
  SafeFileWriter out(fileName);
  std::string block;
  block.reserve(1 << 16);
  ProgressCounter counter(progress, static_cast<long long>(m_x.size()), 1 << 16);
  for (size_t i = 0; i < m_x.size(); ++i) {
    counter.at(static_cast<long long>(i));
    const long double v = m_x[i];
    block.push_back(' ');
    block += formatFileField(v);
    block += "\r\n";
    if (block.size() > (1 << 16) - 64) {
      out.write(block);
      block.clear();
    }
  }
  out.write(block);
  out.commit();
}

}  // namespace statorium
