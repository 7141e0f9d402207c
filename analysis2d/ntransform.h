#pragma once
// TfrmNTransform: the data transformation dialog.

#include <QDialog>

class TPrompter;

class TfrmNTransform : public QDialog {
  Q_OBJECT
 public:
  TfrmNTransform(TPrompter& prompter, QWidget* parent);

 private:
  TPrompter& m_prompter;
};
