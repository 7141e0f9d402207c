#pragma once
// TfrmCheckVariants: the similarity check of two series chosen from a list of files.

#include <QDialog>

class QCheckBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class TPrompter;

class TfrmCheckVariants : public QDialog {
  Q_OBJECT
 public:
  TfrmCheckVariants(TPrompter& prompter, QWidget* parent);

  /// Runs the check on the first two checked files that can be read and fills both memos.
  void goCheckClick();
  /// Appends the files the user chooses, unchecked; the check is not rerun.
  void SelectClick();
  /// Empties the list and reruns the check.
  void ClearListClick();

 private:
  void guarded(const std::function<void()>& handler);

  TPrompter& m_prompter;
  QListWidget* data;
  QPushButton* Select;
  QPushButton* ClearList;
  QCheckBox* isLock;
  QPlainTextEdit* normalResults;
  QPlainTextEdit* textResults;
};
