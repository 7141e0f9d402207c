#pragma once
// The progress of long computations. A caller that shows progress, and lets the user stop the
// work, passes a Progress; the computation reports the share it has done from time to time and
// stops with Cancelled when the Progress asks it to. Everywhere the default is an empty Progress:
// nothing is reported and nothing stops.

#include <exception>
#include <functional>

namespace statorium {

/// Receives the share of the work done, from 0 to 1; returns false to stop the work.
using Progress = std::function<bool(double done)>;

/// What a computation throws when its Progress asked it to stop. It is not an Error: a stop the
/// user asked for is no failure, so the readers that swallow Errors let it through and the
/// windows show no error box for it. Whatever the computation was to fill is left as it was
/// before the call (a reader leaves its sample empty).
class Cancelled : public std::exception {
 public:
  const char* what() const noexcept override;
};

/// Reports `done` to `progress` (nothing when it is empty) and throws Cancelled when it asks to
/// stop. The floating-point fault flags are the same after the call as before, so that a report
/// may come in the middle of arithmetic whose faults are checked afterwards.
void reportProgress(const Progress& progress, double done);

/// The Progress of one part of a longer computation: the part's share d is reported to
/// `progress` as from + d * (to - from). Empty when `progress` is.
Progress progressPart(const Progress& progress, double from, double to);

/// Reports work counted in units (bytes, observations) out of a known total, once whenever
/// `stride` more units are done, so that a computation may tell every unit without cost.
class ProgressCounter {
 public:
  /// A total of 0 or less (unknown) reports the share 0.
  ProgressCounter(Progress progress, long long total, long long stride);
  /// `done` units are done so far; reports when a stride has passed since the last report.
  void at(long long done) {
    if (done >= m_next) report(done);
  }

 private:
  void report(long long done);

  Progress m_progress;
  long long m_total;
  long long m_stride;
  long long m_next;
};

}  // namespace statorium
