#pragma once
// TSeriesCheckWindow: what the similarity check windows have in common. On the left the list
// of chosen files with check marks; on the right, at a fixed width, the "Options" group with
// "Select series" and "Clear list", then the result memos each window adds. Every change of a
// check mark reruns the check, under a progress display with a Cancel button.

#include <QDialog>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <memory>

#include "core/progress.h"

class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class TPrompter;
class TShareProgress;

/// The progress of one run of a check over the checked files: reading the files takes the first
/// kReadShare of the display, an equal part each, and the check itself the rest. A run over no
/// file is short: it shows nothing and cannot be stopped. Every report may throw
/// statorium::Cancelled when the user asks to stop.
class TCheckProgress {
 public:
  static constexpr double kReadShare = 0.8;

  TCheckProgress(TPrompter& prompter, QWidget* parent, std::size_t files);
  TCheckProgress(const TCheckProgress&) = delete;
  TCheckProgress& operator=(const TCheckProgress&) = delete;
  ~TCheckProgress();

  /// Reports the start of reading file `i` (from 0) and returns what its reader reports to.
  statorium::Progress file(std::size_t i) const;
  /// Reports the files read; the check is computed next.
  void computing() const;
  /// Reports the check computed, before its lines are shown: the last point to stop at.
  void done() const;

 private:
  std::unique_ptr<TShareProgress> m_display;
  statorium::Progress m_progress;
  std::size_t m_files;
};

class TSeriesCheckWindow : public QDialog {
  Q_OBJECT
 public:
  /// Reruns the check from the checked files and refills the memos. The files are read and the
  /// check computed before any memo changes, so that a cancel (statorium::Cancelled) leaves the
  /// memos as they were.
  virtual void goCheckClick() = 0;
  /// Appends the files the user chooses, unchecked; the check is not rerun.
  void SelectClick();
  /// Empties the list and reruns the check.
  void ClearListClick();
  /// Appends files dropped on the window, unchecked, as "Select series" does.
  void FilesDropped(const QStringList& files);

 protected:
  TSeriesCheckWindow(TPrompter& prompter, QWidget* parent, const char* objectName);

  /// Adds a captioned result memo named `name` below the others in the right column, with
  /// Copy and Export.
  QPlainTextEdit* addResultMemo(const QString& caption, const char* name, int stretch);
  /// The layout of the "Options" group, below its two buttons.
  QVBoxLayout* optionsLayout() const { return m_optionsLayout; }
  /// Runs a handler as an event handler: an error becomes one error box.
  void guarded(const std::function<void()>& handler);
  /// Reruns the check as an event handler after a change the user made; when the user cancels
  /// the rerun, `undo` takes the change back, so that the window shows what it showed before.
  void rerunAfter(const std::function<void()>& undo);

  TPrompter& m_prompter;
  QListWidget* data;

 private:
  QPushButton* Select;
  QPushButton* ClearList;
  QVBoxLayout* m_optionsLayout;
  QVBoxLayout* m_right;
};
