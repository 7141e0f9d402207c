#include "core/progress.h"

#include <cfenv>
#include <limits>
#include <utility>

namespace statorium {

const char* Cancelled::what() const noexcept {
  return "Cancelled";
}

void reportProgress(const Progress& progress, double done) {
  if (!progress) return;
  // The display behind a Progress may run the windows' event loop, whose drawing arithmetic
  // must not raise the flags that the interrupted computation checks later.
  std::fexcept_t flags;
  std::fegetexceptflag(&flags, FE_ALL_EXCEPT);
  const bool goOn = progress(done);
  std::fesetexceptflag(&flags, FE_ALL_EXCEPT);
  if (!goOn) throw Cancelled();
}

Progress progressPart(const Progress& progress, double from, double to) {
  if (!progress) return {};
  return [progress, from, to](double done) { return progress(from + done * (to - from)); };
}

ProgressCounter::ProgressCounter(Progress progress, long long total, long long stride)
    : m_progress(std::move(progress)),
      m_total(total),
      m_stride(stride > 0 ? stride : 1),
      m_next(m_progress ? m_stride : std::numeric_limits<long long>::max()) {}

void ProgressCounter::report(long long done) {
  m_next = (done / m_stride + 1) * m_stride;
  const double share =
      m_total > 0 ? static_cast<double>(done < m_total ? done : m_total) / m_total : 0.0;
  reportProgress(m_progress, share);
}

}  // namespace statorium
