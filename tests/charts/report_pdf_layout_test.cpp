// The report's tables as Qt's rich text lays them out for the PDF: a column
// narrower than a word breaks it anywhere, so a wide table's header must
// break only where its names join words ("margin1_" over "db").
#include "report/report_html.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orlavex::report {
namespace {

// The sweep's table at its widest: every column the bench and the Monte
// Carlo add, with numbers as wide as a sweep's, or without classic figures
// (their columns empty, so that only the header gives them a width).
ReportContent sweep_table(bool classic) {
    const std::vector<std::string> header = {
        "point",       "freq_ghz", "enr_db",   "meas_enr_db", "dut_gain_db", "loss_in_db",
        "loss_out_db", "ycal_db",  "ymeas_db", "nf_sys_db",   "margin1_db",  "margin2_db",
        "margin3_db",  "rss_db",   "U_db",     "mc_lo_db",    "mc_hi_db"};
    ReportTable table;
    table.header = header;
    table.wide = true;
    for (int r = 0; r < 5; ++r) {
        std::vector<std::string> row = {
            r == 4 ? "171 (worst)" : "171", "17.7", "14.6290", "22", "27.1100", "1.2595", "0.5"};
        for (const char* cell :
             {"0.2339", "16.4714", "4.3676", "1.39", "18.74", "-12.59", "0.9980"})
            row.push_back(classic ? cell : "");
        for (const char* cell : {"1.2832", "-1.0905", "1.0758"})
            row.push_back(cell);
        table.rows.push_back(row);
    }
    ReportContent content;
    ReportSection section;
    section.id = "sweep";
    section.tables = {table};
    content.sections = {section};
    return content;
}

// Each line of CELL's text after the first, as the text before it ends: a
// break in a header must follow "_", "/", a space or a line break.
std::vector<QString> broken_after(const QTextTableCell& cell) {
    std::vector<QString> before;
    for (QTextBlock block = cell.firstCursorPosition().block();
         block.isValid() && block.position() <= cell.lastCursorPosition().position();
         block = block.next()) {
        const QTextLayout* layout = block.layout();
        for (int i = 1; i < layout->lineCount(); ++i)
            before.push_back(block.text().left(layout->lineAt(i).textStart()));
    }
    return before;
}

TEST(ReportPdfLayout, WideHeadersBreakOnlyBetweenTheirWords) {
    // The PDF's text width in its layout units (CSS pixels, the page drawn
    // at 0.8): A4 and Letter less 15 mm margins.
    for (const double width : {850.4, 878.3}) {
        for (const bool classic : {true, false}) {
            SCOPED_TRACE(std::to_string(width) + (classic ? " with" : " without") + " classic");
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter writer(&buffer);
            writer.setResolution(96);
            QTextDocument document;
            document.documentLayout()->setPaintDevice(&writer);
            QFont font(QStringLiteral("Liberation Sans"));
            font.setPointSizeF(10);
            document.setDefaultFont(font);
            document.setPageSize(QSizeF(width, 1e6));
            document.setHtml(QString::fromStdString(
                report_html(sweep_table(classic), {}, HtmlReader::rich_text)));
            document.pageCount();  // laid out

            QTextTable* table = nullptr;
            for (QTextFrame* frame : document.rootFrame()->childFrames())
                if (!table) table = qobject_cast<QTextTable*>(frame);
            ASSERT_NE(table, nullptr);
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell head = table->cellAt(0, c);
                for (const QString& before : broken_after(head)) {
                    const QChar last = before.back();
                    EXPECT_TRUE(last == '_' || last == '/' || last == ' ' ||
                                last == QChar::LineSeparator)
                        << "header broken after \"" << before.toStdString() << "\"";
                }
                for (int r = 1; r < table->rows(); ++r)
                    EXPECT_TRUE(broken_after(table->cellAt(r, c)).empty())
                        << "a number broken in column " << c;
            }
        }
    }
}

}  // namespace
}  // namespace orlavex::report
