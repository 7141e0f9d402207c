#pragma once
// TfrmCheckVariants: the two-series similarity check.

#include <QDialog>

class TPrompter;

class TfrmCheckVariants : public QDialog {
  Q_OBJECT
 public:
  TfrmCheckVariants(TPrompter& prompter, QWidget* parent);

 private:
  TPrompter& m_prompter;
};
