#pragma once
// TfrmNCheck: the multi-dimensional similarity check.

#include <QDialog>

class TPrompter;

class TfrmNCheck : public QDialog {
  Q_OBJECT
 public:
  TfrmNCheck(TPrompter& prompter, QWidget* parent);

 private:
  TPrompter& m_prompter;
};
