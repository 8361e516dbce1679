// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The lists of formats written for people cannot be generated from the format table, so they are
// held to it here: the user's guide and the converter's manual page name exactly the extensions
// the program opens and saves.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

#include "TempDir.h"
#include "formats/FormatTable.h"

using namespace tolv;
using Extensions = std::set<std::string>;

namespace {

std::string Doc(const std::string& name) { return test::ReadFileText(std::string(TOLV_SOURCE_DIR) + "/" + name); }

// The bold words of the ".BR" lines of a part of the manual page: the extensions it lists.
Extensions ManPageList(const std::string& roff, const std::string& from, const std::string& to)
{
    const size_t start = roff.find(from), end = roff.find(to, start);
    std::istringstream lines(roff.substr(start, end - start));
    Extensions exts;
    const std::regex word("^[a-z0-9]+$");
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with(".BR ")) continue;
        std::istringstream args(std::regex_replace(line.substr(4), std::regex("\"[^\"]*\""), " "));
        for (std::string arg; args >> arg;)
            if (std::regex_match(arg, word)) exts.insert(arg);
    }
    return exts;
}

} // namespace

TEST(FormatTable, DocumentedFormatsAreTheRows)
{
    Extensions opened, saved;
    for (const FormatRow& row : FormatTable()) {
        if (HasReader(row.ext)) opened.insert(row.ext);
        if (row.save.kind == SaveKind::Writer) saved.insert(row.ext);
    }

    // The guide's table: "| .ext | format | yes | yes |", a "yes" for open and for save.
    Extensions guideOpened, guideSaved;
    std::istringstream guide(Doc("docs/users-guide.md"));
    const std::regex row(R"(^\| \.([a-z0-9]+) \|.*\| (yes)? *\| (yes)? *\|$)");
    for (std::string line; std::getline(guide, line);) {
        std::smatch m;
        if (!std::regex_match(line, m, row)) continue;
        if (m[2].matched) guideOpened.insert(m[1]);
        if (m[3].matched) guideSaved.insert(m[1]);
    }
    EXPECT_EQ(guideOpened, opened);
    EXPECT_EQ(guideSaved, saved);

    const std::string man = Doc("docs/man/tolvconv.1");
    EXPECT_EQ(ManPageList(man, "is read by the reader", "is written by the writer"), opened);
    EXPECT_EQ(ManPageList(man, "is written by the writer", "An existing"), saved);
}
