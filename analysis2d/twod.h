#pragma once
// Tfrm2D: the two-dimensional analysis window.

#include <QDialog>

class TPrompter;

class Tfrm2D : public QDialog {
  Q_OBJECT
 public:
  Tfrm2D(TPrompter& prompter, QWidget* parent);

 private:
  TPrompter& m_prompter;
};
