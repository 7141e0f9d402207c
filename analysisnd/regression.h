#pragma once
// TfrmRegression: the regression window.

#include <QDialog>

class TPrompter;

class TfrmRegression : public QDialog {
  Q_OBJECT
 public:
  TfrmRegression(TPrompter& prompter, QWidget* parent);

 private:
  TPrompter& m_prompter;
};
