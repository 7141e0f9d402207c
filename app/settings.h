#pragma once
// TfrmSettings: the settings window: significance level and chart colours.

#include <QDialog>

class TPrompter;

class TfrmSettings : public QDialog {
  Q_OBJECT
 public:
  TfrmSettings(TPrompter& prompter, QWidget* parent);

 private:
  TPrompter& m_prompter;
};
