#pragma once
// TSeriesCheckWindow: what the similarity check windows have in common. On the left the list
// of chosen files with check marks; on the right, at a fixed width, the "Options" group with
// "Select series" and "Clear list", then the result memos each window adds. Every change of a
// check mark reruns the check.

#include <QDialog>
#include <QStringList>
#include <functional>

class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class TPrompter;

class TSeriesCheckWindow : public QDialog {
  Q_OBJECT
 public:
  /// Reruns the check from the checked files and refills the memos.
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

  TPrompter& m_prompter;
  QListWidget* data;

 private:
  QPushButton* Select;
  QPushButton* ClearList;
  QVBoxLayout* m_optionsLayout;
  QVBoxLayout* m_right;
};
