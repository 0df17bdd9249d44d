#include "grid/escape_legend.h"

#include <QStringList>

namespace wirevane {

namespace {

constexpr EscapeLegendLine kLines[] = {
    {u"\\r", u"0x0D (CR)", u"AT\\r"},       {u"\\n", u"0x0A (LF)", u"OK\\r\\n"},
    {u"\\t", u"0x09 (タブ)", u"A\\tB"},     {u"\\a", u"0x07 (ベル)", u"\\a"},
    {u"\\b", u"0x08 (BS)", u"AB\\b"},       {u"\\f", u"0x0C (改ページ)", u"\\f"},
    {u"\\v", u"0x0B (垂直タブ)", u"\\v"},   {u"\\\\", u"0x5C (\\)", u"C:\\\\"},
    {u"\\'", u"0x27 (')", u"\\'A\\'"},      {u"\\\"", u"0x22 (\")", u"\\\"A\\\""},
    {u"\\?", u"0x3F (?)", u"A\\?"},         {u"\\xHH", u"16進 2桁の値", u"\\x41\\x1B"},
    {u"\\oOOO", u"8進 3桁の値", u"\\o101"},
};

} // namespace

std::span<const EscapeLegendLine> EscapeLegend()
{
    return kLines;
}

QString ExampleBytes(std::u16string_view example)
{
    QStringList pairs;
    for (uint8_t byte : RowTextToBytes(example, kEncodingSjis))
        pairs
            << QStringLiteral("%1").arg(static_cast<uint>(byte), 2, 16, QLatin1Char('0')).toUpper();
    return pairs.join(QLatin1Char(' '));
}

QString EscapeLegendToolTip()
{
    QString html = QStringLiteral("<p>送信データのエスケープ表記:</p><table cellspacing='4'>"
                                  "<tr><th align='left'>表記</th><th align='left'>バイト</th>"
                                  "<th align='left'>例</th></tr>");
    for (const EscapeLegendLine& line : kLines) {
        const QString example = QString::fromUtf16(line.example);
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3 → %4</td></tr>")
                    .arg(QString::fromUtf16(line.escape).toHtmlEscaped(),
                         QString::fromUtf16(line.byte).toHtmlEscaped(), example.toHtmlEscaped(),
                         ExampleBytes(example.toStdU16String()));
    }
    html += QStringLiteral("</table><p>%1。</p>")
                .arg(QString::fromUtf16(kUtf8EscapeNote).toHtmlEscaped());
    return html;
}

bool EscapesStayAsWritten(std::u16string_view text, TextEncoding encoding)
{
    return encoding == kEncodingUtf8 && text.find(u'\\') != std::u16string_view::npos;
}

} // namespace wirevane
