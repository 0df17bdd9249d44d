#include "grid/expectation_legend.h"

#include <QCoreApplication>

namespace wirevane {

namespace {

struct ExpectationLegendTexts {
    Q_DECLARE_TR_FUNCTIONS(ExpectationLegendTexts)
};

constexpr ExpectationForm kForms[] = {
    {QT_TRANSLATE_NOOP("ExpectationLegendTexts", "文字列"),
     QT_TRANSLATE_NOOP("ExpectationLegendTexts",
                       "応答がこのバイト列を含めば合格 (送信データと同じエスケープ表記)"),
     u"OK\\r"},
    {QT_TRANSLATE_NOOP("ExpectationLegendTexts", "re:正規表現"),
     QT_TRANSLATE_NOOP("ExpectationLegendTexts",
                       "表のエンコードで読んだ応答の中にこの正規表現が見つかれば合格"),
     u"re:^[+-]\\d+\\.\\d+"},
};

constexpr ExpectationForm kValueForms[] = {
    {"{n}",
     QT_TRANSLATE_NOOP("ExpectationLegendTexts",
                       "直前に合格した re: チェックのグループ n が読んだバイト列を送信"),
     u"SET {1}"},
    {"{Rr.n}",
     QT_TRANSLATE_NOOP("ExpectationLegendTexts", "行 r の re: チェックのグループ n を送信"),
     u"{R7.1}"},
};

} // namespace

std::span<const ExpectationForm> AnswerValueForms()
{
    return kValueForms;
}

QString AnswerValueNote()
{
    return ExpectationLegendTexts::tr(
        "値がまだ無い参照を含む行は送信せず、その行で停止します。"
        "参照でない { } はそのまま送信します ({1} そのものは \\{1} と書きます)。");
}

std::span<const ExpectationForm> ExpectationForms()
{
    return kForms;
}

QString ExpectationFormName(const ExpectationForm& form)
{
    return ExpectationLegendTexts::tr(form.form);
}

QString ExpectationFormMeaning(const ExpectationForm& form)
{
    return ExpectationLegendTexts::tr(form.meaning);
}

QString ExpectationToolTip()
{
    QString html =
        QStringLiteral("<p>%1</p><table cellspacing='4'>")
            .arg(ExpectationLegendTexts::tr("期待応答: 空欄の行は応答をチェックしません。")
                     .toHtmlEscaped());
    for (const ExpectationForm& form : kForms) {
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                    .arg(ExpectationFormName(form).toHtmlEscaped(),
                         ExpectationFormMeaning(form).toHtmlEscaped(),
                         QString::fromUtf16(form.example).toHtmlEscaped());
    }
    html += QStringLiteral("</table>");
    return html;
}

} // namespace wirevane
