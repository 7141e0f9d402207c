#pragma once
// TfrmAboutBox: the About window.

#include <QDialog>

class TPrompter;

class TfrmAboutBox : public QDialog {
  Q_OBJECT
 public:
  TfrmAboutBox(TPrompter& prompter, QWidget* parent);

 private:
  TPrompter& m_prompter;
};
