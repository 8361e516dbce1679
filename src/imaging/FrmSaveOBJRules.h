// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

#include "imaging/FrmSaveSTLRules.h"

namespace tolv {

// The OBJ save dialog (FrmSaveOBJ): its spacing box follows NormaliseSpacing (FrmSaveSTLRules.h).

// In, and out on OK with the spacing normalised: the three options.
struct SaveObjValues {
    int32_t spacing = kDefaultSpacing;
    bool includeObjectName = true, smoothFaces = true;
    template <class F>
    void Slots(F&& slot)
    {
        slot(1, spacing);
        slot(2, includeObjectName);
        slot(3, smoothFaces);
    }
};

} // namespace tolv
