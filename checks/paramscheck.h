#pragma once
// TfrmParamsCheck: the average-parameters experiment.

#include <QDialog>

class TPrompter;

class TfrmParamsCheck : public QDialog {
  Q_OBJECT
 public:
  TfrmParamsCheck(TPrompter& prompter, QWidget* parent);

 private:
  TPrompter& m_prompter;
};
