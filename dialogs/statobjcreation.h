#pragma once
// TfrmCreateStatObj: composition of a statobject from series files, and the sample opening
// that turns any data file into one sample.

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "core/statsobject.h"
#include "core/values.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStandardItemModel;
class TPrompter;
class TShareProgress;
class TfrmSelect;
class TStringGrid;
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
  /// other file as a sample text file. Reading errors propagate. The reading reports to
  /// `progress` (a stop throws statorium::Cancelled); `display`, when given, is the display
  /// behind it and is closed before the question.
  static statorium::TValues openValues(const QString& fileName, TfrmSelect& select,
                                       const statorium::Progress& progress = {},
                                       TShareProgress* display = nullptr);

  /// Appends the candidate row of a file to "Properties list" (asking for the property of a
  /// statobject of several). A file that cannot be read or holds no value adds nothing. Files
  /// dropped on the window are loaded so too.
  void Load(const QString& fileName);

  // The handlers of the buttons and menu items.
  void btChooseClick();
  void Button1Click();
  void AddtoobjectClick();
  void RemoveFromObjectClick();
  void Clearall1Click();
  void Clearall2Click();
  /// Sets the grid's hint to the full path of its selected row.
  void selpropsClick(TStringGrid* grid);
  /// "Ready": composes the object from the chosen rows (when there are any) and closes with OK.
  void btSaveClick();

 private:
  void guarded(const std::function<void()>& handler);
  TStringGrid* makeGrid(const char* name, QStandardItemModel* model, QMenu* menu, QWidget* parent);

  TPrompter& m_prompter;
  TApplicationWindows& m_windows;
  std::unique_ptr<statorium::TStatsObject> statobj;

  QGroupBox* GroupBox2;
  QLabel* StaticText3;
  QPushButton* btChoose;
  QPushButton* Button1;
  TStringGrid* props;
  QStandardItemModel* m_props;
  QMenu* propsMenu;
  QAction* Addtoobject;
  QAction* Clearall1;

  QGroupBox* GroupBox1;
  QLabel* StaticText1;
  QLineEdit* objname;
  QLabel* StaticText2;
  QPushButton* btSave;
  TStringGrid* selprops;
  QStandardItemModel* m_selprops;
  QMenu* selPropsMenu;
  QAction* RemoveFromObject;
  QAction* Clearall2;
};
