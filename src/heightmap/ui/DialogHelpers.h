// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QComboBox>
#include <string>
#include <vector>

#include "heightmap/DialogRules.h"
#include "shell/ui/QtHost.h"

namespace tolv {

// Fills a combo box from data entries (each storing its number) and selects the entry storing
// value, else the first.
inline void FillCombo(QComboBox* box, const std::vector<ComboEntry>& entries, int32_t value)
{
    box->clear();
    for (const ComboEntry& e : entries) box->addItem(Q(e.text), e.value);
    box->setCurrentIndex(SelectEntryIndex(entries, value));
}

// A plain list whose position is the number.
inline void FillCombo(QComboBox* box, const std::vector<std::string>& items, int32_t index)
{
    box->clear();
    for (const std::string& s : items) box->addItem(Q(s));
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : 0);
}

// The number stored with the selected entry.
inline int32_t SelectedValue(const QComboBox* box) { return box->currentData().toInt(); }

inline QString Num(int64_t v) { return QString::number(v); }

} // namespace tolv
