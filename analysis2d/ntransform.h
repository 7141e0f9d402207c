#pragma once
// TfrmNTransform: the "Data transformation" dialog the analysis windows show before a run.
// It has no behaviour of its own: the window that shows it enables the check box that applies
// and reads both after it closes. The check states persist from one showing to the next.

#include <QDialog>

class QCheckBox;
class QPushButton;
class TPrompter;

class TfrmNTransform : public QDialog {
  Q_OBJECT
 public:
  TfrmNTransform(TPrompter& prompter, QWidget* parent);

  QCheckBox* standardBox() const { return standard; }
  QCheckBox* independentBox() const { return independent; }

 private:
  QCheckBox* standard;
  QCheckBox* independent;
  QPushButton* BitBtn1;
};
