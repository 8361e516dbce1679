// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/CommandTable.h"

#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"

namespace tolv {
namespace {

// Each availability rule: whether it holds for a loaded heightmap, and what it asks for.
struct Rule {
    Availability availability;
    bool (*holds)();
    const char* needs; // completes "<command> needs ..."
};

const Rule kRules[] = {
    {Availability::WithHeightmap, [] { return true; }, "a heightmap"},
    {Availability::NotFlat, [] { return AltitudeRange() != 0; }, "a heightmap whose altitudes are not all equal"},
    {Availability::Reducible, [] { return IsPowerOfTwoSize() && HeightmapWidth() > 16 && HeightmapHeight() > 16; },
     "a heightmap of power-of-two size with both sides greater than 16"},
    {Availability::Enlargeable, [] { return IsPowerOfTwoSize() && HeightmapWidth() < 512 && HeightmapHeight() < 512; },
     "a heightmap of power-of-two size with both sides less than 512"},
    {Availability::NotFullSpan, [] { return AltitudeRange() != 65536; },
     "a heightmap whose altitudes do not span all of 0 to 65535"},
};

const Rule* FindRule(Availability availability)
{
    for (const Rule& r : kRules)
        if (r.availability == availability) return &r;
    return nullptr;
}

} // namespace

const CommandRow* FindCommand(CommandId id, int arg)
{
    for (const CommandRow& row : kCommandRows)
        if (row.id == id && row.arg == arg) return &row;
    return nullptr;
}

const CommandRow* FindConverterOption(std::string_view option)
{
    for (const CommandRow& row : kCommandRows)
        if (row.converterOption && option == row.converterOption) return &row;
    return nullptr;
}

bool CommandEnabled(const CommandRow& row, bool hasHeightmap)
{
    const Rule* rule = FindRule(row.availability);
    return !rule || (hasHeightmap && rule->holds());
}

std::string CommandRule(const CommandRow& row)
{
    const Rule* rule = FindRule(row.availability);
    return rule ? std::string(row.name) + " needs " + rule->needs : "";
}

} // namespace tolv
