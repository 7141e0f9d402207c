#pragma once
// TfrmCreateStatObj: composition of a statobject from series files, and the sample opening
// that turns any data file into one sample.

#include <QDialog>
#include <QString>
#include <memory>

#include "core/statsobject.h"
#include "core/values.h"

class TPrompter;
class TfrmSelect;
struct TApplicationWindows;

class TfrmCreateStatObj : public QDialog {
  Q_OBJECT
 public:
  TfrmCreateStatObj(TPrompter& prompter, TApplicationWindows& windows, QWidget* parent);

  /// Shows the window modally; returns the composed statobject after "Ready" with at least one
  /// chosen property, otherwise none. The caller owns the result.
  std::unique_ptr<statorium::TStatsObject> ShowModal();

  /// Reads `fileName` as one sample in file order: ".sta" and ".csv" as statobjects, asking
  /// with `select` which property to take when there are several (the first on cancel); any
  /// other file as a sample text file. Reading errors propagate.
  static statorium::TValues openValues(const QString& fileName, TfrmSelect& select);

 private:
  TPrompter& m_prompter;
  TApplicationWindows& m_windows;
  std::unique_ptr<statorium::TStatsObject> statobj;
};
