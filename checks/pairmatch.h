#pragma once
// TfrmPairMatch: the pair match table of the experiment.

#include <QDialog>

class TPrompter;

class TfrmPairMatch : public QDialog {
  Q_OBJECT
 public:
  TfrmPairMatch(TPrompter& prompter, QWidget* parent);

 private:
  TPrompter& m_prompter;
};
