// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/vbShowDialog.h"

#include <array>

#include "shell/Numbers.h"

namespace tolv {
namespace {

struct Slots {
    std::array<DialogValue, 10> in;
    std::array<DialogValue, 10> out;
    bool cancelled = true;
};
Slots g_slots;

bool InRange(int slot) { return slot >= 1 && slot <= 10; }

} // namespace

int32_t DialogValue::AsInt() const
{
    if (auto p = std::get_if<int32_t>(&v_)) return *p;
    if (auto p = std::get_if<bool>(&v_)) return *p ? -1 : 0;
    if (auto p = std::get_if<float>(&v_)) return RoundToInt32(*p);
    if (auto p = std::get_if<std::string>(&v_)) {
        double d;
        if (ParseNumeric(*p, d)) return RoundToInt32(d);
    }
    return 0;
}

bool DialogValue::AsBool() const
{
    if (auto p = std::get_if<bool>(&v_)) return *p;
    if (auto p = std::get_if<std::string>(&v_)) {
        std::string s = ToLower(*p);
        if (s == "true") return true;
        double d;
        return ParseNumeric(*p, d) && d != 0;
    }
    if (auto p = std::get_if<float>(&v_)) return *p != 0;
    return AsInt() != 0;
}

float DialogValue::AsFloat() const
{
    if (auto p = std::get_if<float>(&v_)) return *p;
    if (auto p = std::get_if<std::string>(&v_)) {
        double d;
        return ParseNumeric(*p, d) ? static_cast<float>(d) : 0.0f;
    }
    return static_cast<float>(AsInt());
}

std::string DialogValue::AsString() const
{
    if (auto p = std::get_if<std::string>(&v_)) return *p;
    if (auto p = std::get_if<bool>(&v_)) return *p ? "True" : "False";
    if (auto p = std::get_if<float>(&v_)) return FormatGeneral(*p);
    if (auto p = std::get_if<int32_t>(&v_)) return std::to_string(*p);
    return "";
}

void SetDialogParam(int slot, const DialogValue& value)
{
    if (InRange(slot)) g_slots.in[slot - 1] = value;
}

DialogValue GetDialogParam(int slot) { return InRange(slot) ? g_slots.in[slot - 1] : DialogValue(); }

void SetDialogResult(int slot, const DialogValue& value)
{
    if (InRange(slot)) g_slots.out[slot - 1] = value;
}

DialogValue GetDialogResult(int slot) { return InRange(slot) ? g_slots.out[slot - 1] : DialogValue(); }

void SetDialogCancelled(bool cancelled) { g_slots.cancelled = cancelled; }

bool DialogCancelled() { return g_slots.cancelled; }

bool ShowDialogModal(DialogId dialog)
{
    g_slots.cancelled = true;
    Host().ShowDialog(dialog);
    return g_slots.cancelled;
}

void ClearDialogParams() { g_slots = Slots{}; }

} // namespace tolv
