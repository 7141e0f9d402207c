#pragma once
// TfrmCheckManyVariants: the many-series similarity check.

#include <QDialog>

class TPrompter;

class TfrmCheckManyVariants : public QDialog {
  Q_OBJECT
 public:
  TfrmCheckManyVariants(TPrompter& prompter, QWidget* parent);

 private:
  TPrompter& m_prompter;
};
