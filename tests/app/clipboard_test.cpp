// Ctrl+C copies the record table, wherever the keyboard is, as a spreadsheet and a word processor
// take it: tab-separated text and an HTML table, with the texts exactly as the table shows them.
#include "common/windowfixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

using sim::Item;

// The table's two rows as they would be copied: a header, then ten cells, empty ones included.
std::pair<QString, QString> expected(const QStringList& times, const QStringList& volumes)
{
    QString text;
    QString html = QStringLiteral("<meta charset=\"utf-8\"><table>");
    for (const auto& [header, cells] :
         {std::pair{QStringLiteral("ｘ座標"), times}, std::pair{QStringLiteral("ｙ座標"), volumes}}) {
        text += header;
        html += QStringLiteral("<tr><th>") + header + QStringLiteral("</th>");
        for (int k = 0; k < 10; ++k) {
            const QString cell = k < cells.size() ? cells[k] : QString();
            text += QLatin1Char('\t') + cell;
            html += QStringLiteral("<td>") + cell + QStringLiteral("</td>");
        }
        text += QLatin1Char('\n');
        html += QStringLiteral("</tr>");
    }
    return {text, html + QStringLiteral("</table>")};
}

using Copy = WindowTest;

TEST_F(Copy, CtrlCCopiesTheTableAsTextAndHtmlWithTheSeparatorShown)
{
    struct Case {
        const char* separator;
        int records;
        QStringList times;
        QStringList volumes;
    };
    const Case cases[] = {
        {".", 0, {}, {}},
        {".", 3, {"0.2", "0.4", "0.6"}, {"0.2", "0.4", "0.6"}},
        {".",
         10,
         {"0.2", "0.4", "0.6", "0.8", "1.0", "1.2", "1.4", "1.6", "1.8", "2.0"},
         {"0.2", "0.4", "0.6", "0.8", "1.0", "1.2", "1.4", "1.6", "1.8", "2.0"}},
        {",", 3, {"0,2", "0,4", "0,6"}, {"0,2", "0,4", "0,6"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.separator) + " " + std::to_string(c.records));
        window->setDecimalSeparator(c.separator);
        click(Item::btnSaishiko);
        startRun(0, 1, 1);
        for (int k = 0; k < c.records; ++k) {
            tick(5);
            click(Item::btnKiroku);
        }
        QGuiApplication::clipboard()->clear();
        // From a list: its own copy must not take the keys.
        widget(Item::lbxJikan)->setFocus();
        QTest::keyClick(widget(Item::lbxJikan), Qt::Key_C, Qt::ControlModifier);
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        ASSERT_NE(copied, nullptr);
        const auto [text, html] = expected(c.times, c.volumes);
        EXPECT_EQ(copied->text(), text);
        EXPECT_EQ(copied->html(), html);
    }
}

} // namespace
