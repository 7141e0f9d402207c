// Undo and redo of the working sample's changes within a budget of kept values.

#include <gtest/gtest.h>

#include <vector>

#include "core/samplehistory.h"

namespace statorium {
namespace {

using Values = std::vector<long double>;
using Mode = AbnormalMode;

TEST(SampleHistory, UndoesAndRedoesEveryKindOfStepInOrder) {
  TSampleHistory history;
  TValues sample({1, 2, 3});
  // Insert 2.5 at 2, delete the 1, replace everything (an abnormal-value mode, say).
  sample.Insert(2, 2.5L);
  history.recordInsert(2, 2.5L, Mode::DontDrop);
  sample.Delete(0);
  history.recordDelete(0, 1, Mode::DontDrop);
  TValues before = sample.Clone();
  sample = TValues({2, 2.5L});
  history.recordReplace(std::move(before), Mode::DontDrop, Mode::IntervalDrop);

  const std::vector<Values> states = {{1, 2, 3}, {1, 2, 2.5L, 3}, {2, 2.5L, 3}, {2, 2.5L}};
  const Mode modes[] = {Mode::DontDrop, Mode::DontDrop, Mode::DontDrop, Mode::IntervalDrop};
  for (int s = 2; s >= 0; --s) {
    EXPECT_EQ(history.undo(sample), modes[s]);
    EXPECT_EQ(sample.data(), states[s]);
  }
  EXPECT_FALSE(history.canUndo());
  EXPECT_EQ(history.undo(sample), std::nullopt);
  EXPECT_EQ(sample.data(), states[0]);
  for (int s = 1; s <= 3; ++s) {
    EXPECT_EQ(history.redo(sample), modes[s]);
    EXPECT_EQ(sample.data(), states[s]);
  }
  EXPECT_FALSE(history.canRedo());
  EXPECT_EQ(history.redo(sample), std::nullopt);
}

TEST(SampleHistory, ANewStepForgetsWhatCouldBeRedone) {
  TSampleHistory history;
  TValues sample({5});
  sample.Add(6);
  history.recordInsert(1, 6, Mode::DontDrop);
  history.undo(sample);
  ASSERT_TRUE(history.canRedo());
  sample.Add(7);
  history.recordInsert(1, 7, Mode::DontDrop);
  EXPECT_FALSE(history.canRedo());
  EXPECT_EQ(history.keptValues(), 1u);
  history.undo(sample);
  EXPECT_EQ(sample.data(), (Values{5}));
}

TEST(SampleHistory, KeepsWithinTheBudgetDroppingTheOldestSteps) {
  // Budget of 10 values: snapshots of 4 values each, so two fit with room for two inserts.
  TSampleHistory history(10, 100);
  TValues sample({1, 2, 3, 4});
  for (int step = 0; step < 3; ++step) {
    TValues before = sample.Clone();
    for (int i = 0; i < 4; ++i) sample.setAt(i, sample.getAt(i) * 10);
    history.recordReplace(std::move(before), Mode::DontDrop, Mode::DontDrop);
    EXPECT_LE(history.keptValues(), 10u);
  }
  EXPECT_EQ(history.undoCount(), 2);
  history.undo(sample);
  history.undo(sample);
  EXPECT_EQ(sample.data(), (Values{10, 20, 30, 40}));  // the first step is forgotten
  EXPECT_FALSE(history.canUndo());
  EXPECT_EQ(history.keptValues(), 8u);  // both steps now wait to be redone
}

// An undo of a mode that dropped values keeps the larger sample for the redo and may go over
// the budget. Trimming later lets the opposite step (a cancelled undo) find every step again.
TEST(SampleHistory, AnUndoTrimmedLaterCanBeTakenBackWhole) {
  for (const auto trim : {TSampleHistory::Trim::Now, TSampleHistory::Trim::Later}) {
    TSampleHistory history(10, 100);
    TValues sample({1, 2, 3, 4});
    history.recordInsert(0, 1, Mode::DontDrop);
    TValues before = sample.Clone();
    sample = TValues({2, 3});
    history.recordReplace(std::move(before), Mode::DontDrop, Mode::GammaDrop);
    before = sample.Clone();
    sample = TValues({1, 2, 3, 4, 5, 6, 7, 8});
    history.recordReplace(std::move(before), Mode::GammaDrop, Mode::DontDrop);
    ASSERT_EQ(history.undoCount(), 3);
    ASSERT_EQ(history.keptValues(), 7u);

    // The undo keeps the eight values for the redo: 13 values kept, over the budget of 10.
    EXPECT_EQ(history.undo(sample, trim), Mode::GammaDrop);
    EXPECT_EQ(sample.data(), (Values{2, 3}));
    if (trim == TSampleHistory::Trim::Now) {
      EXPECT_EQ(history.undoCount(), 0);  // the oldest two went at once
      continue;
    }
    EXPECT_EQ(history.undoCount(), 2);
    EXPECT_EQ(history.redo(sample, trim), Mode::DontDrop);
    EXPECT_EQ(sample.data(), (Values{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(history.undoCount(), 3);
    EXPECT_EQ(history.redoCount(), 0);
    EXPECT_EQ(history.keptValues(), 7u);
    // An undo that stays is trimmed to the budget afterwards.
    history.undo(sample, trim);
    history.trimToBudget();
    EXPECT_LE(history.keptValues(), 10u);
    EXPECT_EQ(history.undoCount(), 0);
    EXPECT_EQ(history.redoCount(), 1);
  }
}

TEST(SampleHistory, AStepLargerThanTheBudgetClearsTheHistory) {
  TSampleHistory history(3, 100);
  TValues sample({1});
  sample.Add(2);
  history.recordInsert(1, 2, Mode::DontDrop);
  EXPECT_FALSE(history.fits(4));
  history.recordReplace(TValues({1, 2, 3, 4}), Mode::DontDrop, Mode::GammaDrop);
  EXPECT_FALSE(history.canUndo());
  EXPECT_EQ(history.keptValues(), 0u);
}

TEST(SampleHistory, KeepsAtMostTheStepLimit) {
  TSampleHistory history(1000, 3);
  TValues sample;
  for (int i = 0; i < 5; ++i) {
    sample.Add(i);
    history.recordInsert(i, i, Mode::DontDrop);
  }
  EXPECT_EQ(history.undoCount(), 3);
  while (history.canUndo()) history.undo(sample);
  EXPECT_EQ(sample.data(), (Values{0, 1}));
}

}  // namespace
}  // namespace statorium
