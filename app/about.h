#pragma once
// TfrmAboutBox: the product name, the icon, a notice and two addresses of statistics references.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TPrompter;

class TfrmAboutBox : public QDialog {
  Q_OBJECT
 public:
  TfrmAboutBox(TPrompter& prompter, QWidget* parent);

  /// Opens the address that `sender` (one of the address edits) shows in the user's browser.
  void LinkLabel2Click(QObject* sender);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TPrompter& m_prompter;
  QLabel* ProgramIcon;
  QLabel* ProductName;
  QLineEdit* Edit2;
  QLineEdit* Edit1;
  QLabel* LinkLabel1;
  QPushButton* OKButton;
};
