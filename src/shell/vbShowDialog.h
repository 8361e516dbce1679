// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>
#include <variant>

#include "shell/UiHost.h"

namespace tolv {

// One dialog slot: empty, an integer, a Boolean, a 32-bit float or a string.
class DialogValue {
public:
    DialogValue() = default;
    DialogValue(int32_t v) : v_(v) {}
    DialogValue(bool v) : v_(v) {}
    DialogValue(float v) : v_(v) {}
    DialogValue(std::string v) : v_(std::move(v)) {}
    DialogValue(const char* v) : v_(std::string(v)) {}

    bool IsEmpty() const { return std::holds_alternative<std::monostate>(v_); }
    // Conversions as a caller reading a slot expects: an empty slot reads as 0, false, "" ;
    // numbers convert with rounding halves to even; text converts when numeric, else 0.
    int32_t AsInt() const;
    bool AsBool() const;
    float AsFloat() const;
    std::string AsString() const;
    bool operator==(const DialogValue& o) const { return v_ == o.v_; }

private:
    std::variant<std::monostate, int32_t, bool, float, std::string> v_;
};

// Ten input and ten output slots (1..10) and the cancelled flag, process-wide.
void SetDialogParam(int slot, const DialogValue& value);
DialogValue GetDialogParam(int slot);
void SetDialogResult(int slot, const DialogValue& value);
DialogValue GetDialogResult(int slot);
void SetDialogCancelled(bool cancelled);
bool DialogCancelled();
// Sets the cancelled flag, asks the host to show the dialog, returns the cancelled flag.
bool ShowDialogModal(DialogId dialog);
// Empties all twenty slots and sets the cancelled flag back to true.
void ClearDialogParams();

} // namespace tolv
