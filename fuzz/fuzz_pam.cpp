// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "FuzzFile.h"
#include "formats/vbPNM.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return tolv::fuzz::RunReader(data, size, "pam", tolv::LoadPamFile);
}
