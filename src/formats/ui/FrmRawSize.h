// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>

#include "shell/ui/DialogBase.h"

class QLineEdit;

namespace tolv {

// Asks the width and height of a raw heightmap; OK only while they account for the whole file.
// Inputs: slot 1 the file length in bytes, 2 the sample size in bits. Results: 1 and 2 the texts
// of the width and height boxes.
class FrmRawSize : public DialogBase {
    Q_OBJECT
public:
    explicit FrmRawSize(QWidget* parent = nullptr);

protected:
    bool WriteResults() override;

private:
    void CheckSize();
    int64_t fileLength_ = 0;
    int32_t bits_ = 16;
    QLineEdit* width_;
    QLineEdit* height_;
};

} // namespace tolv
