// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/RegisterDialogs.h"

#include "formats/ui/FrmRawSize.h"
#include "formats/ui/FrmSavePGM.h"
#include "heightmap/ui/FrmInterpolate.h"
#include "heightmap/ui/FrmInvert.h"
#include "heightmap/ui/FrmMove.h"
#include "heightmap/ui/FrmScale.h"
#include "heightmap/ui/FrmSplit.h"
#include "heightmap/ui/FrmStitch.h"
#include "heightmap/ui/FrmTrim.h"
#include "imaging/ui/FrmSaveMesh.h"
#include "shell/ui/QtHost.h"
#include "shell/ui/vbFrmRecentFileList.h"

namespace tolv {
namespace {

// Each dialog is created for one showing and released when it closes.
template <class Dialog>
void Register(QtHost& host, DialogId id)
{
    host.dialogs[id] = [](QWidget* parent) {
        Dialog dialog(parent);
        dialog.exec();
    };
}

} // namespace

void RegisterParameterDialogs(QtHost& host)
{
    Register<FrmScale>(host, DialogId::Scale);
    Register<FrmMove>(host, DialogId::Move);
    Register<FrmInvert>(host, DialogId::Invert);
    Register<FrmInterpolate>(host, DialogId::Interpolate);
    Register<FrmResample>(host, DialogId::Resample);
    Register<FrmTrim>(host, DialogId::Trim);
    Register<FrmSplit>(host, DialogId::Split);
    Register<FrmStitch>(host, DialogId::Stitch);
    Register<FrmRawSize>(host, DialogId::RawSize);
    Register<FrmSavePGM>(host, DialogId::SavePGM);
    Register<FrmSaveSTL>(host, DialogId::SaveSTL);
    Register<FrmSaveOBJ>(host, DialogId::SaveOBJ);
    Register<VbFrmRecentFileList>(host, DialogId::RecentFileList);
}

void ShowRecentFileListDialog(QWidget* parent)
{
    VbFrmRecentFileList dialog(parent);
    dialog.exec();
}

} // namespace tolv
