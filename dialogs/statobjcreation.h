#pragma once
// TfrmCreateStatObj: composition of a statobject from series files, and the sample opening
// that turns any data file into one sample.

#include <QDialog>
#include <QString>

#include "core/values.h"

class TPrompter;
class TfrmSelect;

class TfrmCreateStatObj : public QDialog {
  Q_OBJECT
 public:
  TfrmCreateStatObj(TPrompter& prompter, QWidget* parent);

  /// Reads `fileName` as one sample in file order: ".sta" and ".csv" as statobjects, asking
  /// with `select` which property to take when there are several (the first on cancel); any
  /// other file as a sample text file. Reading errors propagate.
  static statorium::TValues openValues(const QString& fileName, TfrmSelect& select);

 private:
  TPrompter& m_prompter;
};
