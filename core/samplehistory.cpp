#include "core/samplehistory.h"

#include <algorithm>
#include <utility>

namespace statorium {

std::size_t TSampleHistory::Step::cost() const {
  return kind == Kind::Replace ? std::max<std::size_t>(1, other.data().size()) : 1;
}

void TSampleHistory::clear() {
  m_undo.clear();
  m_redo.clear();
  m_kept = 0;
}

void TSampleHistory::record(Step step) {
  for (const Step& s : m_redo) m_kept -= s.cost();
  m_redo.clear();
  m_kept += step.cost();
  m_undo.push_back(std::move(step));
  trim();
}

void TSampleHistory::recordReplace(TValues before, AbnormalMode modeBefore,
                                   AbnormalMode modeAfter) {
  if (!fits(before.data().size())) {
    clear();
    return;
  }
  Step step{Kind::Replace, std::move(before)};
  step.before = modeBefore;
  step.after = modeAfter;
  record(std::move(step));
}

void TSampleHistory::recordInsert(int index, long double value, AbnormalMode mode) {
  record(Step{Kind::Insert, TValues(), index, value, mode, mode});
}

void TSampleHistory::recordDelete(int index, long double value, AbnormalMode mode) {
  record(Step{Kind::Delete, TValues(), index, value, mode, mode});
}

std::optional<AbnormalMode> TSampleHistory::undo(TValues& sample, Trim trim) {
  if (m_undo.empty()) return std::nullopt;
  const AbnormalMode mode = m_undo.back().before;
  move(m_undo, m_redo, sample, true, trim);
  return mode;
}

std::optional<AbnormalMode> TSampleHistory::redo(TValues& sample, Trim trim) {
  if (m_redo.empty()) return std::nullopt;
  const AbnormalMode mode = m_redo.back().after;
  move(m_redo, m_undo, sample, false, trim);
  return mode;
}

void TSampleHistory::move(std::deque<Step>& from, std::deque<Step>& to, TValues& sample,
                          bool backwards, Trim when) {
  Step& step = from.back();
  const std::size_t cost = step.cost();
  // The change comes first: should it fail, the history stays as it was.
  switch (step.kind) {
    case Kind::Replace:
      std::swap(sample, step.other);
      break;
    case Kind::Insert:
      if (backwards)
        sample.Delete(step.index);
      else
        sample.Insert(step.index, step.value);
      break;
    case Kind::Delete:
      if (backwards)
        sample.Insert(step.index, step.value);
      else
        sample.Delete(step.index);
      break;
  }
  m_kept = m_kept - cost + step.cost();
  to.push_back(std::move(step));
  from.pop_back();
  if (when == Trim::Now) trim();
}

void TSampleHistory::trim() {
  auto over = [&] { return m_kept > m_budget || m_undo.size() + m_redo.size() > m_stepLimit; };
  while (over() && !m_undo.empty()) {
    m_kept -= m_undo.front().cost();
    m_undo.pop_front();
  }
  while (over() && !m_redo.empty()) {
    m_kept -= m_redo.front().cost();
    m_redo.pop_front();
  }
}

}  // namespace statorium
