// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Renders the Markdown user's guide to PDF: mkguide INPUT.md PICTURE_FOLDER OUTPUT.pdf
// The guide names its pictures relative to itself (images/NAME.png, for readers on the web);
// here they are read relative to PICTURE_FOLDER, where the build has just taken them.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

// Pictures are laid out at 96 pixels per inch; wider ones are narrowed to the text width: an A4
// page less the 2 cm margins that QTextDocument::print keeps on either side.
constexpr double kTextWidth = (210.0 - 2 * 20.0) / 25.4 * 96.0;

// Loads every picture the document names and fits it to the page; false when one is missing.
bool AttachPictures(QTextDocument& doc, const QDir& folder)
{
    std::vector<std::pair<QTextCursor, QTextImageFormat>> pictures;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) continue;
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            pictures.emplace_back(cursor, fragment.charFormat().toImageFormat());
        }
    }
    bool ok = true;
    for (auto& [cursor, format] : pictures) {
        const QImage image(folder.filePath(format.name()));
        if (image.isNull()) {
            std::fprintf(stderr, "mkguide: no picture %s in %s\n", qPrintable(format.name()),
                         qPrintable(folder.path()));
            ok = false;
            continue;
        }
        doc.addResource(QTextDocument::ImageResource, QUrl(format.name()), image);
        const double scale = std::min(1.0, kTextWidth / image.width());
        format.setWidth(image.width() * scale);
        format.setHeight(image.height() * scale);
        cursor.setCharFormat(format);
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s INPUT.md PICTURE_FOLDER OUTPUT.pdf\n", argv[0]);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument doc;
    QFont font = doc.defaultFont();
    font.setPointSizeF(10.5);
    doc.setDefaultFont(font);
    doc.setMarkdown(QString::fromUtf8(in.readAll()));
    if (!AttachPictures(doc, QDir(QString::fromLocal8Bit(argv[2])))) return 1;

    QPdfWriter pdf(QString::fromLocal8Bit(argv[3]));
    pdf.setTitle("TOLV User's Guide");
    pdf.setCreator("TOLV");
    // No margins of the writer's own: print() keeps 2 cm around the text and puts the page numbers there.
    pdf.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    doc.print(&pdf);
    return 0;
}
