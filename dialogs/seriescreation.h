#pragma once
// TfrmSeriesCreation: the series creation window.

#include <QDialog>

class TPrompter;

class TfrmSeriesCreation : public QDialog {
  Q_OBJECT
 public:
  TfrmSeriesCreation(TPrompter& prompter, QWidget* parent);

 private:
  TPrompter& m_prompter;
};
