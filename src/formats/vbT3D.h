// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// Unreal T3D terrain text (write only).
bool SaveT3dFile(const std::string& path);

} // namespace tolv
