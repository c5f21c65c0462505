#include "recordcopy.h"

namespace core {

namespace {

void appendHtmlText(std::string& html, const std::string& text)
{
    for (const char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        default:
            html += c;
        }
    }
}

} // namespace

RecordsCopy copyOfRecords(const sim::Scene& window)
{
    struct Row {
        sim::Item header;
        sim::Item (*cell)(int k);
    };
    constexpr Row kRows[] = {{sim::Item::stxZahyoX, sim::timeCell}, {sim::Item::stxZahyoY, sim::volumeCell}};

    RecordsCopy copy;
    // Without the charset a word processor may read the Japanese headers in a legacy encoding.
    copy.html = "<meta charset=\"utf-8\"><table>";
    for (const Row& row : kRows) {
        const std::string header = window.caption(row.header);
        copy.text += header;
        copy.html += "<tr><th>";
        appendHtmlText(copy.html, header);
        copy.html += "</th>";
        for (int k = 1; k <= 10; ++k) {
            const std::string cell = window.caption(row.cell(k));
            copy.text += '\t' + cell;
            copy.html += "<td>";
            appendHtmlText(copy.html, cell);
            copy.html += "</td>";
        }
        copy.text += '\n';
        copy.html += "</tr>";
    }
    copy.html += "</table>";
    return copy;
}

} // namespace core
