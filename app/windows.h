#pragma once
// The program's sixteen windows, created once at start-up in a fixed order, the main window
// first, and kept for the whole run. The secondary windows are children of the main window
// and are destroyed with it.

#include <memory>

class TPrompter;
class TfrmMain;
class TfrmClassTable;
class TfrmSelect;
class TfrmCreateStatObj;
class TfrmCheckVariants;
class TfrmCheckManyVariants;
class TfrmSeriesCreation;
class TfrmParamsCheck;
class TfrmPairMatch;
class TfrmND;
class Tfrm2D;
class TfrmNTransform;
class TfrmNCheck;
class TfrmRegression;
class TfrmAboutBox;
class TfrmSettings;

struct TApplicationWindows {
  /// Creates every window, asking the user through `prompter`.
  explicit TApplicationWindows(TPrompter& prompter);
  ~TApplicationWindows();
  TApplicationWindows(const TApplicationWindows&) = delete;
  TApplicationWindows& operator=(const TApplicationWindows&) = delete;

  std::unique_ptr<TfrmMain> frmMain;
  TfrmClassTable* frmClassTable = nullptr;
  TfrmSelect* frmSelect = nullptr;
  TfrmCreateStatObj* frmCreateStatObj = nullptr;
  TfrmCheckVariants* frmCheckVariants = nullptr;
  TfrmCheckManyVariants* frmCheckManyVariants = nullptr;
  TfrmSeriesCreation* frmSeriesCreation = nullptr;
  TfrmParamsCheck* frmParamsCheck = nullptr;
  TfrmPairMatch* frmPairMatch = nullptr;
  TfrmND* frmND = nullptr;
  Tfrm2D* frm2D = nullptr;
  TfrmNTransform* frmNTransform = nullptr;
  TfrmNCheck* frmNCheck = nullptr;
  TfrmRegression* frmRegression = nullptr;
  TfrmAboutBox* frmAboutBox = nullptr;
  TfrmSettings* frmSettings = nullptr;
};
