#include "core/variants.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/errors.h"
#include "core/fpfault.h"
#include "core/largearray.h"

namespace statorium {

void TVariants::checkIndex(int i) const {
  if (i < 0 || i >= count()) throw listIndexError(i);
}

long double TVariants::getAtX(int i) const {
  checkIndex(i);
  return m_x[i];
}

void TVariants::setAtX(int i, long double v) {
  checkIndex(i);
  m_x[i] = v;
  invalidate();
}

int32_t TVariants::getAtN(int i) const {
  checkIndex(i);
  return m_n[i];
}

TVariant TVariants::getAt(int i) const {
  checkIndex(i);
  TVariant v;
  v.x = m_x[i];
  v.n = m_n[i];
  return v;
}

namespace {

// Equality of two finite extended values by their 80-bit patterns, which the integer unit
// compares faster than the floating-point unit; the two zeros are equal as numbers.
inline bool sameValue(const long double& a, const long double& b) {
  uint64_t ma, mb;
  uint16_t ea, eb;
  std::memcpy(&ma, &a, 8);
  std::memcpy(&mb, &b, 8);
  std::memcpy(&ea, reinterpret_cast<const char*>(&a) + 8, 2);
  std::memcpy(&eb, reinterpret_cast<const char*>(&b) + 8, 2);
  if (ma == mb && ea == eb) return true;
  return ma == 0 && mb == 0 && ((ea | eb) & 0x7FFF) == 0;  // +0 and -0
}

}  // namespace

void TVariants::setVariants(const TValues& fileData) {
  const std::vector<long double>& data = fileData.data();
  m_Total = static_cast<int32_t>(data.size());
  if (m_Total == 0) return;
  m_x.clear();
  m_n.clear();
  invalidate();
  m_Width = 0.01L;
  // Counting the variants first sizes the arrays once, without regrowing them.
  size_t distinct = 1;
  for (size_t i = 1; i < data.size(); ++i) distinct += !sameValue(data[i], data[i - 1]);
  resizeLarge(m_x, distinct);
  resizeLarge(m_n, distinct);
  size_t k = 0;
  m_x[0] = data[0];
  m_n[0] = 1;
  for (size_t i = 1; i < data.size(); ++i) {
    if (sameValue(data[i], data[i - 1])) {
      ++m_n[k];
    } else {
      ++k;
      m_x[k] = data[i];
      m_n[k] = 1;
    }
  }
}

int32_t TVariants::calcClassCount(int32_t n) {
  int32_t m;
  if (n > 100)
    m = static_cast<int32_t>(std::pow(static_cast<long double>(n), 0.3333L));
  else
    m = static_cast<int32_t>(std::sqrt(static_cast<long double>(n)));
  if (n < 40 && m % 2 == 0) ++m;
  return m;
}

void TVariants::setClasses(const TVariants& variants, int32_t classCount) {
  if (&variants == this) {
    // Classes of this very series: emptying the list below would lose the source.
    const TVariants source = variants;
    setClasses(source, classCount);
    return;
  }
  m_Total = variants.m_Total;
  if (m_Total <= 0) return;
  m_x.clear();
  m_n.clear();
  invalidate();
  const long double first = variants.m_x.front();
  FpScope fp;
  m_Width = (variants.m_x.back() - first) / static_cast<long double>(classCount);
  fp.check(m_Width);
  const long double w = m_Width;
  long double classX = first;
  int32_t classN = variants.m_n.front();
  for (size_t i = 1; i < variants.m_x.size(); ++i) {
    const long double v = variants.m_x[i];
    const int32_t f = variants.m_n[i];
    if (v <= classX + w + prog_precision) {
      classN += f;
      continue;
    }
    while (!(v <= classX + w + prog_precision)) {
      m_x.push_back(classX);
      m_n.push_back(classN);
      // More classes than asked can only end in the count error; stop before building them.
      if (static_cast<int64_t>(m_x.size()) >= static_cast<int64_t>(classCount)) {
        fp.check();
        throw classCountError();
      }
      classX = first + static_cast<long double>(m_x.size()) * w;
      classN = 0;
    }
    classN = f;
  }
  m_x.push_back(classX);
  m_n.push_back(classN);
  fp.check();
  if (count() != classCount) throw classCountError();
}

long double TVariants::getMax() const {
  if (m_Total <= 0) return 0;
  const int32_t most = m_n.empty() ? 0 : *std::max_element(m_n.begin(), m_n.end());
  return static_cast<long double>(most) / static_cast<long double>(m_Total);
}

void TVariants::dropAbnormals(long double gamma1, long double gamma2) {
  if (m_Total <= 0) return;
  int64_t dropped = 0;
  size_t front = 0;
  while (front < m_x.size() && gamma1 > static_cast<long double>(dropped + m_n[front]) / m_Total) {
    dropped += m_n[front];
    ++front;
  }
  m_x.erase(m_x.begin(), m_x.begin() + front);
  m_n.erase(m_n.begin(), m_n.begin() + front);
  m_Total -= static_cast<int32_t>(dropped);
  invalidate();
  if (m_x.empty()) return;
  dropped = 0;
  size_t back = m_x.size();
  while (back > 0 && gamma2 > static_cast<long double>(dropped + m_n[back - 1]) / m_Total) {
    dropped += m_n[back - 1];
    --back;
  }
  m_x.resize(back);
  m_n.resize(back);
  m_Total -= static_cast<int32_t>(dropped);
  invalidate();
}

long double TVariants::Fn(long double x) const {
  if (m_cumulative.size() != m_n.size()) {
    m_cumulative.resize(m_n.size());
    int64_t s = 0;
    for (size_t i = 0; i < m_n.size(); ++i) m_cumulative[i] = s += m_n[i];
    m_ascending = std::is_sorted(m_x.begin(), m_x.end());
  }
  // The variants counted are those from the first up to the first one above x. A binary search
  // finds it only in an ordered list; an unsorted one (built from an unsorted sample, or after
  // setAtX) is scanned.
  const auto above = [x](long double xi) { return x < xi; };
  const size_t upto = (m_ascending ? std::upper_bound(m_x.begin(), m_x.end(), x)
                                   : std::find_if(m_x.begin(), m_x.end(), above)) -
                      m_x.begin();
  const long double s = upto == 0 ? 0 : static_cast<long double>(m_cumulative[upto - 1]);
  // An empty series divides 0 by 0. Tested directly: Fn runs once per variant in the criteria,
  // and clearing and reading the status flags each time would cost more than the search.
  if (m_Total == 0)
    throw FloatError(s == 0 ? FloatError::Kind::Invalid : FloatError::Kind::DivideByZero);
  return s / static_cast<long double>(m_Total);
}

long double TVariants::centralSum(long double mean, int power) const {
  long double sum = 0;
  for (size_t i = 0; i < m_x.size(); ++i) {
    const long double d = m_x[i] - mean;
    long double p = d;
    for (int k = 1; k < power; ++k) p *= d;
    sum += m_n[i] * p;
  }
  return sum;
}

const TVariants::Moments& TVariants::moments() const {
  if (m_moments.total != m_Total) {
    m_moments = Moments();
    m_moments.total = m_Total;
  }
  return m_moments;
}

long double TVariants::Average(long double* D) const {
  if (moments().haveMean && !D) return m_moments.mean;
  FpScope fp;
  long double sum = 0;
  bool allEqual = true;
  for (size_t i = 0; i < m_x.size(); ++i) {
    sum += m_n[i] * m_x[i];
    allEqual = allEqual && m_x[i] == m_x.front();
  }
  const long double N = m_Total;
  long double mean = sum / N;
  fp.check(mean);
  // n * x / N is rounded twice: the mean of a single value is that value itself, so that its
  // deviation is exactly 0 (see TValues::Average).
  if (allEqual && !m_x.empty()) mean = m_x.front();
  m_moments.mean = mean;
  m_moments.haveMean = true;
  if (D) {
    *D = AverageQuadratic() / std::sqrt(N);
    fp.check(*D);
  }
  return mean;
}

long double TVariants::AverageQuadratic(long double* D) const {
  const long double mean = Average();
  FpScope fp;
  const long double N = m_Total;
  long double s;
  if (moments().haveDeviation) {
    s = m_moments.deviation;
  } else {
    s = std::sqrt(centralSum(mean, 2) / (N - 1));
    fp.check(s);
    m_moments.deviation = s;
    m_moments.haveDeviation = true;
  }
  if (D) {
    *D = s / std::sqrt(2 * N);
    fp.check(*D);
  }
  return s;
}

long double TVariants::AsymetricalCoefficent(long double* D) const {
  const long double mean = Average();
  const long double s = AverageQuadratic();
  FpScope fp;
  const long double N = m_Total;
  const long double a = centralSum(mean, 3) * std::sqrt(N * (N - 1)) / ((N - 2) * N * s * s * s);
  fp.check(a);
  if (D) {
    // The small-sample factor 1 - 225/(15N + 124) turns negative below 7 observations, where
    // its square root would fail every sample of 4 to 6 values; its magnitude is taken there.
    *D = std::sqrt((24 / N) * std::fabs(1 - 225 / (15 * N + 124)));
    fp.check(*D);
  }
  return a;
}

long double TVariants::Excess(long double* D) const {
  const long double mean = Average();
  const long double s = AverageQuadratic();
  FpScope fp;
  const long double N = m_Total;
  long double e;
  if (moments().haveExcess) {
    e = m_moments.excess;
  } else {
    const long double s2 = s * s;
    const long double g = (centralSum(mean, 4) / N) / (s2 * s2);
    e = (N * N - 1) / ((N - 2) * (N - 3)) * (g - 3 + 6 / (N + 1));
    fp.check(e);
    m_moments.excess = e;
    m_moments.haveExcess = true;
  }
  if (D) {
    *D = std::sqrt((6 / N) * (1 - 12 / (2 * N + 7)));
    fp.check(*D);
  }
  return e;
}

long double TVariants::Contrexcess(long double* D) const {
  const long double e = Excess();
  FpScope fp;
  const long double N = m_Total;
  const long double c = 1 / std::sqrt(std::fabs(e));
  fp.check(c);
  if (D) {
    *D = e * std::sqrt(2 * e * e + 1) / std::sqrt(2 * N);
    fp.check(*D);
  }
  return c;
}

long double TVariants::PirsonsVariation(long double* D) const {
  const long double mean = Average();
  const long double s = AverageQuadratic();
  FpScope fp;
  const long double v = s / mean;
  fp.check(v);
  if (D) {
    const long double e = Excess();
    FpScope fpD;
    const long double N = m_Total;
    *D = std::sqrt(std::fabs(e) / (29 * N)) * std::pow(std::fabs(e * e - 1), 0.75L);
    fpD.check(*D);
  }
  return v;
}

long double TVariants::AbsoluteDigression(long double* D) const {
  const long double mean = Average();
  const long double s = AverageQuadratic();
  FpScope fp;
  const long double N = m_Total;
  long double sum = 0;
  for (size_t i = 0; i < m_x.size(); ++i) sum += m_n[i] * std::fabs(m_x[i] - mean);
  // The constant is 2 / 3.1415926 as the method defines it, not 2 / pi.
  const long double a =
      sum * std::sqrt(2 / 3.1415926L) * (1 + 2 / (8 * N - 9)) / (s * std::sqrt(N * (N - 1)));
  fp.check(a);
  if (D) {
    *D = std::sqrt((0.04507L - 0.079L / N) / N);
    fp.check(*D);
  }
  return a;
}

}  // namespace statorium
