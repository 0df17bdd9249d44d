#include "grid/escape_legend.h"

#include <QCoreApplication>
#include <QStringList>

namespace wirevane {

namespace {

struct EscapeLegendTexts {
    Q_DECLARE_TR_FUNCTIONS(EscapeLegendTexts)
};

constexpr EscapeLegendLine kLines[] = {
    {u"\\r", "0x0D (CR)", u"AT\\r"},
    {u"\\n", "0x0A (LF)", u"OK\\r\\n"},
    {u"\\t", QT_TRANSLATE_NOOP("EscapeLegendTexts", "0x09 (タブ)"), u"A\\tB"},
    {u"\\a", QT_TRANSLATE_NOOP("EscapeLegendTexts", "0x07 (ベル)"), u"\\a"},
    {u"\\b", "0x08 (BS)", u"AB\\b"},
    {u"\\f", QT_TRANSLATE_NOOP("EscapeLegendTexts", "0x0C (改ページ)"), u"\\f"},
    {u"\\v", QT_TRANSLATE_NOOP("EscapeLegendTexts", "0x0B (垂直タブ)"), u"\\v"},
    {u"\\\\", "0x5C (\\)", u"C:\\\\"},
    {u"\\'", "0x27 (')", u"\\'A\\'"},
    {u"\\\"", "0x22 (\")", u"\\\"A\\\""},
    {u"\\?", "0x3F (?)", u"A\\?"},
    {u"\\xHH", QT_TRANSLATE_NOOP("EscapeLegendTexts", "16進 2桁の値"), u"\\x41\\x1B"},
    {u"\\oOOO", QT_TRANSLATE_NOOP("EscapeLegendTexts", "8進 3桁の値"), u"\\o101"},
};

} // namespace

std::span<const EscapeLegendLine> EscapeLegend()
{
    return kLines;
}

QString ExampleBytes(std::u16string_view example)
{
    QStringList pairs;
    for (uint8_t byte : RowTextToBytes(example, TextEncoding::Sjis))
        pairs
            << QStringLiteral("%1").arg(static_cast<uint>(byte), 2, 16, QLatin1Char('0')).toUpper();
    return pairs.join(QLatin1Char(' '));
}

QString EscapeLegendToolTip()
{
    QString html = QStringLiteral("<p>%1</p><table cellspacing='4'><tr><th align='left'>%2</th>"
                                  "<th align='left'>%3</th><th align='left'>%4</th></tr>")
                       .arg(EscapeLegendTexts::tr("送信データのエスケープ表記:").toHtmlEscaped(),
                            EscapeLegendTexts::tr("表記").toHtmlEscaped(),
                            EscapeLegendTexts::tr("バイト").toHtmlEscaped(),
                            EscapeLegendTexts::tr("例").toHtmlEscaped());
    for (const EscapeLegendLine& line : kLines) {
        const QString example = QString::fromUtf16(line.example);
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3 → %4</td></tr>")
                    .arg(QString::fromUtf16(line.escape).toHtmlEscaped(),
                         EscapeLineByte(line).toHtmlEscaped(), example.toHtmlEscaped(),
                         ExampleBytes(example.toStdU16String()));
    }
    html += QStringLiteral("</table><p>%1</p>")
                .arg(EscapeLegendTexts::tr("%1。").arg(Utf8EscapeNote()).toHtmlEscaped());
    return html;
}

QString EscapeLineByte(const EscapeLegendLine& line)
{
    return EscapeLegendTexts::tr(line.byte);
}

QString Utf8EscapeNote()
{
    return EscapeLegendTexts::tr("UTF-8 ではエスケープは展開されず、書いたとおりに送信されます");
}

QString Utf8EscapeMark()
{
    return EscapeLegendTexts::tr("\\ 展開なし");
}

bool EscapesStayAsWritten(std::u16string_view text, TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 && text.find(u'\\') != std::u16string_view::npos;
}

} // namespace wirevane
