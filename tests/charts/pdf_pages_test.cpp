// The PDF's pages as PdfPages places them, and its tables as PdfTable lays
// them out: a table that breaks across pages
// loses no row, repeats its header at the top of each page it continues on
// and keeps its caption with its first rows; nothing reaches below the
// body; a section marked for a new page starts one.
#include "plot/pdf_pages.h"
#include "plot/pdf_table.h"

#include <QBuffer>
#include <QFont>
#include <QPdfWriter>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace orlavex::report {
namespace {

// Two sections: some paragraphs, then a table of ROWS rows; the second
// section on a page of its own.
ReportContent long_table(int paragraphs, int rows, bool wide, bool caption) {
    ReportContent content;
    content.title = "Plan";
    ReportSection first;
    first.id = "a";
    first.heading = "First";
    for (int p = 0; p < paragraphs; ++p)
        first.paragraphs.push_back("A paragraph of words that fill most of a line on the page, " +
                                   std::to_string(p) + ".");
    ReportTable table;
    table.caption = caption ? "Rows" : "";
    table.header = {"point", "freq_ghz", "U_db"};
    table.wide = wide;
    for (int r = 0; r < rows; ++r)
        table.rows.push_back({std::to_string(r), std::to_string(1 + r * 0.017), "0.1310"});
    first.tables.push_back(table);
    ReportSection second;
    second.id = "b";
    second.heading = "Second";
    second.new_page = true;
    second.paragraphs = {"Its own page."};
    content.sections = {first, second};
    return content;
}

TEST(PdfPages, ATableBrokenAcrossPagesRepeatsItsHeaderAndLosesNoRow) {
    struct Case {
        int paragraphs, rows;
        bool wide, caption;
    };
    const QSizeF body(850.4, 1180);
    for (const Case& c :
         {Case{0, 3, false, true}, Case{3, 60, false, true}, Case{30, 45, false, false},
          Case{12, 130, true, false}, Case{40, 200, true, true}}) {
        SCOPED_TRACE(std::to_string(c.paragraphs) + " paragraphs, " + std::to_string(c.rows) +
                     " rows");
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(96);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(10);
        const PdfPages pages(long_table(c.paragraphs, c.rows, c.wide, c.caption), writer, font,
                             body, QSizeF(850, 365));

        std::size_t next_row = 0;
        int table_pages = 0;
        bool second_seen = false;
        for (const std::vector<PdfPages::Placed>& page : pages.pages()) {
            bool rows_here = false;
            for (std::size_t i = 0; i < page.size(); ++i) {
                const PdfPages::Placed& p = page[i];
                EXPECT_GE(p.y, 0);
                EXPECT_LE(p.y + p.height, body.height() + 1e-9) << "below the body";
                if (p.kind == PdfPages::Placed::table_row) {
                    EXPECT_EQ(p.row, next_row++);
                    // Drawn under the header or the row before, the first
                    // on a page the table continues on under the header.
                    ASSERT_GT(i, 0u);
                    const PdfPages::Placed& above = page[i - 1];
                    EXPECT_TRUE(above.kind == PdfPages::Placed::table_header ||
                                above.kind == PdfPages::Placed::table_row);
                    if (!rows_here) {
                        EXPECT_EQ(above.kind, PdfPages::Placed::table_header);
                    }
                    EXPECT_NEAR(above.y + above.height, p.y, 1e-9);
                    rows_here = true;
                }
                if (p.kind == PdfPages::Placed::table_header && next_row == 0 && c.caption) {
                    ASSERT_GT(i, 0u) << "the caption apart from its table";
                    EXPECT_TRUE(page[i - 1].kind == PdfPages::Placed::text && page[i - 1].from < 0);
                }
                if (p.kind == PdfPages::Placed::text && p.from >= 0 && p.item == 2) {
                    second_seen = true;
                    EXPECT_EQ(i, 0u) << "the second section does not start its page";
                }
            }
            table_pages += rows_here;
        }
        EXPECT_EQ(next_row, static_cast<std::size_t>(c.rows));
        EXPECT_TRUE(second_seen);
        if (c.rows >= 130) {
            EXPECT_GE(table_pages, 2);
        }
    }
}

// A table squeezed into less than its text's width wraps the long text
// between words and leaves short cells and their headers whole ("rank",
// not "ran" over "k"), within the width it is given.
TEST(PdfTable, WrapsLongTextBetweenWordsOnly) {
    ReportTable table;
    table.header = {"rank", "set-up", "worst_U_db", "all green", "why this place"};
    table.numbers_right = false;
    for (int r = 1; r <= 3; ++r)
        table.rows.push_back({std::to_string(r), "NC346D (Type N), Int PA on", "0.112", "1001/1001",
                              "As good as the best (0.11 dB worst U, all three lamps green at "
                              "1001 of 1001 points); equal places keep the catalogue's order."});
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(96);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(10);
    const PdfTable free(table, writer, font, 5000);
    for (const double width : {842.0, 700.0, 600.0}) {
        SCOPED_TRACE(width);
        const PdfTable squeezed(table, writer, font, width);
        EXPECT_LE(squeezed.width(), width);
        EXPECT_EQ(squeezed.header_height(), free.header_height());
        for (std::size_t r = 0; r < squeezed.rows(); ++r) {
            EXPECT_GT(squeezed.row_height(r), free.row_height(r)) << "the long text wraps";
            // Only the long text wraps, and no word in it breaks.
            EXPECT_LE(squeezed.row_height(r), 3 * free.row_height(r));
        }
    }
}

// A drawing stands whole on one page below the text before it: where the
// rest of the page is too short it starts the next.
TEST(PdfPages, ADrawingIsKeptWholeBelowItsText) {
    const QSizeF body(850.4, 1180);
    ReportDrawing drawing{.caption = "Frequency plan",
                          .width = 640,
                          .height = 120,
                          .text_size = 11,
                          .lines = {{0, 0, 640, 120, "#000000", 1, false}},
                          .texts = {}};
    std::set<std::size_t> pages_seen;
    for (int paragraphs = 0; paragraphs <= 40; paragraphs += 2) {
        SCOPED_TRACE(std::to_string(paragraphs) + " paragraphs");
        ReportContent content = long_table(paragraphs, 0, false, false);
        content.sections[0].drawings = {drawing};
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(96);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(10);
        const PdfPages pages(content, writer, font, body, QSizeF(850, 365));
        int drawings = 0;
        for (std::size_t n = 0; n < pages.pages().size(); ++n) {
            double text_end = 0;
            for (const PdfPages::Placed& p : pages.pages()[n]) {
                if (p.kind == PdfPages::Placed::text) text_end = std::max(text_end, p.y + p.height);
                if (p.kind != PdfPages::Placed::drawing) continue;
                ++drawings;
                pages_seen.insert(n);
                EXPECT_GT(p.height, drawing.height) << "the caption above it";
                EXPECT_LE(p.y + p.height, body.height());
                EXPECT_GE(p.y, text_end) << "below the text before it";
            }
        }
        EXPECT_EQ(drawings, 1);
    }
    EXPECT_GE(pages_seen.size(), 2u) << "a long text pushes the drawing on";
}

}  // namespace
}  // namespace orlavex::report
