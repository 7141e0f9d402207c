#pragma once
// TfrmCheckManyVariants: the similarity check of any number of series chosen from a list of
// files (Bartlett's criterion, the analysis of variance and the H-criterion).

#include <QDialog>
#include <functional>

class QListWidget;
class QPlainTextEdit;
class QPushButton;
class TPrompter;

class TfrmCheckManyVariants : public QDialog {
  Q_OBJECT
 public:
  TfrmCheckManyVariants(TPrompter& prompter, QWidget* parent);

  /// Reads every checked file and fills the three memos; a file that cannot be read ends the
  /// run with the memos empty (the error box follows).
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
  QPlainTextEdit* normalResults;
  QPlainTextEdit* univariateAnalysisResults;
  QPlainTextEdit* textResults;
};
