// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include "shell/ui/DialogBase.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tolv {

// The STL save options: vertex spacing and flipped normals (origin and normal calculation are
// shown but not offered).
class FrmSaveSTL : public DialogBase {
    Q_OBJECT
public:
    explicit FrmSaveSTL(QWidget* parent = nullptr);

protected:
    bool WriteResults() override;

private:
    QLineEdit* spacing_;
    QComboBox* origin_;
    QCheckBox* calcNormals_;
    QCheckBox* flipNormals_;
};

// The OBJ save options: object name, smoothing group and vertex spacing.
class FrmSaveOBJ : public DialogBase {
    Q_OBJECT
public:
    explicit FrmSaveOBJ(QWidget* parent = nullptr);

protected:
    bool WriteResults() override;

private:
    QCheckBox* objName_;
    QCheckBox* smooth_;
    QLineEdit* spacing_;
};

} // namespace tolv
