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

// A dialog's values travel as one struct that names its slots once, beside the dialog's rules:
//     template <class F> void Slots(F&& slot) { slot(1, width); slot(2, height); }
// Its fields are int32_t, bool, float or std::string; these move the whole struct to and from the
// input or the output slots.
namespace detail {
inline void FromSlot(const DialogValue& v, int32_t& field) { field = v.AsInt(); }
inline void FromSlot(const DialogValue& v, bool& field) { field = v.AsBool(); }
inline void FromSlot(const DialogValue& v, float& field) { field = v.AsFloat(); }
inline void FromSlot(const DialogValue& v, std::string& field) { field = v.AsString(); }
} // namespace detail

template <class T>
void WriteDialogParams(T values)
{
    values.Slots([](int slot, const auto& field) { SetDialogParam(slot, DialogValue(field)); });
}

template <class T>
T ReadDialogParams()
{
    T values;
    values.Slots([](int slot, auto& field) { detail::FromSlot(GetDialogParam(slot), field); });
    return values;
}

template <class T>
void WriteDialogResult(T values)
{
    values.Slots([](int slot, const auto& field) { SetDialogResult(slot, DialogValue(field)); });
}

template <class T>
T ReadDialogResult()
{
    T values;
    values.Slots([](int slot, auto& field) { detail::FromSlot(GetDialogResult(slot), field); });
    return values;
}

// What OK does: the results written and the cancelled flag cleared.
template <class T>
void ConfirmDialog(const T& result)
{
    WriteDialogResult(result);
    SetDialogCancelled(false);
}

} // namespace tolv
