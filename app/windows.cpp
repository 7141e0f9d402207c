#include "app/windows.h"

#include "analysis2d/ntransform.h"
#include "analysis2d/twod.h"
#include "analysisnd/nd.h"
#include "analysisnd/regression.h"
#include "app/about.h"
#include "app/classtable.h"
#include "app/mainwindow.h"
#include "app/settings.h"
#include "checks/checkmanyvariants.h"
#include "checks/checkvariants.h"
#include "checks/ncheck.h"
#include "checks/pairmatch.h"
#include "checks/paramscheck.h"
#include "dialogs/selectdialog.h"
#include "dialogs/seriescreation.h"
#include "dialogs/statobjcreation.h"

TApplicationWindows::TApplicationWindows(TPrompter& prompter) {
  frmMain = std::make_unique<TfrmMain>(prompter, *this);
  QWidget* owner = frmMain.get();
  frmClassTable = new TfrmClassTable(prompter, owner);
  frmSelect = new TfrmSelect(prompter, owner);
  frmCreateStatObj = new TfrmCreateStatObj(prompter, *this, owner);
  frmCheckVariants = new TfrmCheckVariants(prompter, owner);
  frmCheckManyVariants = new TfrmCheckManyVariants(prompter, owner);
  frmSeriesCreation = new TfrmSeriesCreation(prompter, owner);
  frmParamsCheck = new TfrmParamsCheck(prompter, owner);
  frmPairMatch = new TfrmPairMatch(prompter, owner);
  frmParamsCheck->setPairMatch(frmPairMatch);
  frmND = new TfrmND(prompter, *this, owner);
  frm2D = new Tfrm2D(prompter, *this, owner);
  frmNTransform = new TfrmNTransform(prompter, owner);
  frmNCheck = new TfrmNCheck(prompter, owner);
  frmRegression = new TfrmRegression(prompter, owner);
  frmAboutBox = new TfrmAboutBox(prompter, owner);
  frmSettings = new TfrmSettings(prompter, owner);
}

TApplicationWindows::~TApplicationWindows() = default;
