#include "app/command_ids.h"
#include "app/interface_language.h"
#include "app/main_window_rig.h"
#include "grid/grid_list_ctrl_groups.h"
#include "persistence/settings_keys.h"
#include "terminal/dialog_terminal.h"
#include "terminal/terminal_ids.h"

#include <QAction>
#include <QFontInfo>
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using namespace command;
using test::MainWindowRig;

// How a face draws U+005C: a backslash leaves the top right of the box its ink fills empty; a
// yen sign, which some Japanese faces draw there, has an arm in each top corner.
bool DrawsABackslash(QFont font)
{
    font.setPixelSize(48);
    QImage image(80, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("\\"));
    }
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    int left = 0;
    int right = 0;
    for (int y = ink.top(); y < ink.top() + ink.height() / 3; ++y)
        for (int x = ink.left(); x <= ink.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ++(x < ink.center().x() ? left : right);
    return left > 0 && right * 4 < left;
}

// The fonts the table and the terminal draw the user's texts with.
std::vector<std::pair<const char*, QFont>> TextFonts(CWirevaneDlg& window)
{
    return {
        {"table", window.grid().font()},
        {"terminal",
         window.terminal().findChild<QWidget*>(QString::number(terminal::kTextArea))->font()},
        {"hex pane", window.terminal().findChild<QWidget*>(QStringLiteral("hex-view"))->font()}};
}

// A face the platform lacks is left to the fallback, which on a Japanese desktop draws U+005C as
// a yen sign: the English texts must name a face that is there and draws a backslash.
TEST(EnglishInterface, TheTableAndTheTerminalDrawABackslashInAFaceThatIsInstalled)
{
    const InterfaceTranslation english(InterfaceLanguage::English);
    MainWindowRig rig;
    for (const auto& [where, font] : TextFonts(rig.Start())) {
        SCOPED_TRACE(where);
        EXPECT_TRUE(font.families().contains(QFontInfo(font).family()))
            << QFontInfo(font).family().toStdString() << " stands in for "
            << font.families().join(u',').toStdString();
        EXPECT_TRUE(DrawsABackslash(font));
    }
}

// The notice is read in the language just chosen, not in the one the windows still speak.
TEST(InterfaceLanguage, TheNoticeOfAChoiceSpeaksTheLanguageChosen)
{
    const auto noticeOf = [](InterfaceLanguage speaking, int chosen) {
        const InterfaceTranslation translation(speaking);
        MainWindowRig rig;
        CWirevaneDlg& window = rig.Start();
        return test::MessageShownBy([&] { window.Trigger(chosen); });
    };
    EXPECT_EQ(noticeOf(InterfaceLanguage::Japanese, kLanguageEnglish),
              QStringLiteral("The interface language changes the next time Wirevane starts."));
    EXPECT_EQ(noticeOf(InterfaceLanguage::English, kLanguageJapanese),
              QStringLiteral("表示の言語は次に起動したときから変わります。"));
}

TEST(InterfaceLanguage, TheDesktopsLanguageDecidesUnlessTheUserFixedOne)
{
    constexpr LanguageChoice kDesktop = LanguageChoice::FollowDesktop;
    // "jv" is Javanese, not Japanese; an unknown or empty locale is not Japanese either.
    const struct {
        LanguageChoice choice;
        const char* locale;
        InterfaceLanguage shown;
    } cases[] = {{kDesktop, "ja-JP", InterfaceLanguage::Japanese},
                 {kDesktop, "ja_JP", InterfaceLanguage::Japanese},
                 {kDesktop, "ja", InterfaceLanguage::Japanese},
                 {kDesktop, "en-US", InterfaceLanguage::English},
                 {kDesktop, "jv-ID", InterfaceLanguage::English},
                 {kDesktop, "C", InterfaceLanguage::English},
                 {kDesktop, "", InterfaceLanguage::English},
                 {LanguageChoice::English, "ja-JP", InterfaceLanguage::English},
                 {LanguageChoice::Japanese, "en-US", InterfaceLanguage::Japanese}};
    for (const auto& c : cases)
        EXPECT_EQ(ResolveInterfaceLanguage(c.choice, QString::fromLatin1(c.locale)), c.shown)
            << c.locale;

    for (LanguageChoice choice : {kDesktop, LanguageChoice::Japanese, LanguageChoice::English})
        EXPECT_EQ(ParseLanguageChoice(StoredLanguageChoice(choice)), choice);
    EXPECT_EQ(StoredLanguageChoice(kDesktop), u"");
    EXPECT_EQ(ParseLanguageChoice(u"fr"), kDesktop);
}

TEST(InterfaceLanguage, TheJapaneseChoiceLeavesTheProgramsOwnTexts)
{
    const InterfaceTranslation japanese(InterfaceLanguage::Japanese);
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
    EXPECT_EQ(window.menuBar()->actions().front()->text(), QStringLiteral("ファイル"));
    EXPECT_EQ(window.grid().GetColumnTitle(3), QStringLiteral("送信データ"));
    EXPECT_EQ(window.terminal().findChild<QAction*>(QString::number(terminal::kClearAll))->text(),
              QStringLiteral("すべてを削除"));
    // Japanese users are used to the face the program always asked for.
    for (const auto& [where, font] : TextFonts(window))
        EXPECT_EQ(font.family(), QStringLiteral("Courier New")) << where;
}

TEST(InterfaceLanguage, AChoiceIsStoredForTheNextStartAndTheDefaultIsNotWritten)
{
    MainWindowRig rig;
    rig.WriteSettingsFile("[SERIAL]\r\nBAUD=9600\r\n");
    CWirevaneDlg& window = rig.Start();
    EXPECT_TRUE(window.commands().isChecked(kLanguageDesktop));

    // Following the desktop, as the file already does, writes nothing.
    const std::string before = rig.ReadFile("Wirevane.ini");
    window.Trigger(kLanguageDesktop);
    EXPECT_EQ(rig.ReadFile("Wirevane.ini"), before);

    EXPECT_FALSE(test::MessageShownBy([&] { window.Trigger(kLanguageEnglish); }).isEmpty());
    EXPECT_EQ(rig.ReadIniString("Wirevane.ini", settings_keys::kWirevane, settings_keys::kLanguage),
              u"en");
    EXPECT_EQ(test::CheckedOf(window.commands(), {kLanguageEnglish, kLanguageDesktop}),
              std::vector{kLanguageEnglish});

    // Taken back, the choice leaves the file as it was before, byte for byte.
    test::MessageShownBy([&] { window.Trigger(kLanguageDesktop); });
    EXPECT_EQ(rig.ReadFile("Wirevane.ini"), before);
    EXPECT_TRUE(window.commands().isChecked(kLanguageDesktop));

    test::MessageShownBy([&] { window.Trigger(kLanguageEnglish); });
    rig.Stop();
    CWirevaneDlg& restarted = rig.Start();
    EXPECT_TRUE(restarted.commands().isChecked(kLanguageEnglish));
    test::MessageShownBy([&] { restarted.Trigger(kLanguageJapanese); });
    EXPECT_EQ(ParseLanguageChoice(rig.ReadIniString("Wirevane.ini", settings_keys::kWirevane,
                                                    settings_keys::kLanguage)),
              LanguageChoice::Japanese);
    EXPECT_EQ(test::CheckedOf(restarted.commands(), {kLanguageJapanese, kLanguageEnglish}),
              std::vector{kLanguageJapanese});
}

} // namespace
} // namespace wirevane
