#pragma once
// TfrmND: the multi-dimensional analysis window.

#include <QDialog>

class TPrompter;

class TfrmND : public QDialog {
  Q_OBJECT
 public:
  TfrmND(TPrompter& prompter, QWidget* parent);

 private:
  TPrompter& m_prompter;
};
