#pragma once
// TfrmClassTable: the class data window: the variants or classes of the sample.

#include <QDialog>

class TPrompter;

class TfrmClassTable : public QDialog {
  Q_OBJECT
 public:
  TfrmClassTable(TPrompter& prompter, QWidget* parent);

 private:
  TPrompter& m_prompter;
};
