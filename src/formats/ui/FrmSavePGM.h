// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <array>

#include "shell/ui/DialogBase.h"

class QRadioButton;

namespace tolv {

// Which PGM form to write: P2 (text) or P5 (binary).
class FrmSavePGM : public DialogBase {
    Q_OBJECT
public:
    explicit FrmSavePGM(QWidget* parent = nullptr);

protected:
    bool WriteResults() override;

private:
    std::array<QRadioButton*, 2> optType_{};
};

} // namespace tolv
