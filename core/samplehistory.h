#pragma once
// TSampleHistory: the changes of the main window's working sample since the last load, so that
// they can be undone and redone one at a time. An inserted or deleted value is kept as that one
// value; a change of the whole sample (a transformation, "Initial", an abnormal-value mode)
// keeps the sample as it was. Samples may hold ten million values, so the history keeps at
// most a budget of values over all its steps and forgets the oldest steps beyond it.

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "core/sampleanalysis.h"
#include "core/values.h"

namespace statorium {

class TSampleHistory {
 public:
  /// About 480 MB of extended reals: two steps of a ten-million-value sample, far more of
  /// smaller ones.
  static constexpr std::size_t kValueBudget = 30'000'000;
  /// Steps kept at most, however small.
  static constexpr std::size_t kStepLimit = 100;

  explicit TSampleHistory(std::size_t valueBudget = kValueBudget,
                          std::size_t stepLimit = kStepLimit)
      : m_budget(valueBudget), m_stepLimit(stepLimit) {}

  /// Forgets every step.
  void clear();
  bool canUndo() const { return !m_undo.empty(); }
  bool canRedo() const { return !m_redo.empty(); }
  /// Whether the sample as a whole, of `count` values, can be kept as a step at all.
  bool fits(std::size_t count) const { return count <= m_budget; }
  /// Values kept over all steps (an inserted or deleted value counts as one).
  std::size_t keptValues() const { return m_kept; }
  int undoCount() const { return static_cast<int>(m_undo.size()); }
  int redoCount() const { return static_cast<int>(m_redo.size()); }

  // Recording a step forgets the steps that could be redone.
  /// The sample was replaced as a whole: `before` is what it was, made in the abnormal-value
  /// mode `modeBefore`; the new one is made in `modeAfter`. A `before` larger than the budget
  /// cannot be kept, and then no earlier step can be reached either: the history is cleared.
  void recordReplace(TValues before, AbnormalMode modeBefore, AbnormalMode modeAfter);
  /// `value` was inserted at position `index`.
  void recordInsert(int index, long double value, AbnormalMode mode);
  /// `value` was removed from position `index`.
  void recordDelete(int index, long double value, AbnormalMode mode);

  /// What an undo or a redo does when it leaves the history over its budget (a replaced sample
  /// kept in place of a smaller one): drop the oldest steps at once, or keep them until
  /// trimToBudget, so that the opposite step can still put the history back as it was.
  enum class Trim { Now, Later };

  /// Puts `sample` back as it was before the last step and returns the mode it was made in;
  /// nothing (and no change) when there is no step to undo.
  std::optional<AbnormalMode> undo(TValues& sample, Trim trim = Trim::Now);
  /// Makes the last undone step again and returns the mode the sample is then made in; nothing
  /// when there is no step to redo.
  std::optional<AbnormalMode> redo(TValues& sample, Trim trim = Trim::Now);
  /// Drops the oldest steps beyond the budget and the step limit, after an undo or a redo with
  /// Trim::Later that is to stay.
  void trimToBudget() { trim(); }

 private:
  enum class Kind { Replace, Insert, Delete };
  struct Step {
    Kind kind;
    TValues other;  // Replace: the sample on the other side of the step
    int index = 0;
    long double value = 0;
    AbnormalMode before = AbnormalMode::DontDrop;
    AbnormalMode after = AbnormalMode::DontDrop;
    std::size_t cost() const;
  };

  void record(Step step);
  /// Takes the last step of `from` over to `to`, changing the sample backwards (undo) or
  /// forwards (redo).
  void move(std::deque<Step>& from, std::deque<Step>& to, TValues& sample, bool backwards,
            Trim when);
  /// Drops the oldest steps (those to undo first, then the farthest to redo) until the budget
  /// and the step limit hold.
  void trim();

  std::size_t m_budget;
  std::size_t m_stepLimit;
  std::size_t m_kept = 0;
  std::deque<Step> m_undo;  // oldest first
  std::deque<Step> m_redo;  // the next to redo last
};

}  // namespace statorium
