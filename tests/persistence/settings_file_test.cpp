#include "core/decimal_text.h"
#include "fakes/fixed_window_placements.h"
#include "persistence/settings_file.h"
#include "platform/ini_document.h"
#include "support/file_text.h"
#include "support/settings_rig.h"
#include "support/temp_dir.h"

#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace wirevane {
namespace {

using Texts = std::vector<std::u16string>;

std::u16string rowSection(int row)
{
    return u"DATA_INDEX" + DecimalText(row);
}

// The values a file holds under the given keys of one section.
Texts values(const platform::IniDocument& saved, std::u16string_view section, const Texts& keys)
{
    Texts found;
    for (const std::u16string& key : keys)
        found.push_back(saved.value(section, key).value_or(u"<missing>"));
    return found;
}

// What a row holds, field by field, as one comparable value.
auto fields(const SendRow& row)
{
    return std::tuple(row.sendFlag, row.data, row.waitKind, row.halt, row.delay, row.expect);
}

using PortState = std::tuple<std::u16string, platform::LineSettings, std::optional<int32_t>>;

class SettingsFileTest : public ::testing::Test, protected test::SettingsRig {
protected:
    // The port's name, the settings it has now, and the handshake it was asked for.
    auto portState() const { return PortState(port.name, port.current, port.handshake); }
    // A row's cells from the select column to the delay column.
    Texts rowCells(int row) const
    {
        Texts cells;
        for (int column = SendTable::kSelectColumn; column <= SendTable::kDelayColumn; ++column)
            cells.push_back(grid.GetCellText(row, column));
        return cells;
    }

    // Rows that differ from every default, shown in the table as a user would have left them.
    void fillTableWithEdits()
    {
        for (int i = 0; i < SendTable::kRowCount; ++i) {
            SendRow& row = table.rows()[i];
            row.sendFlag = i % 2;
            row.data = u"edited " + DecimalText(i);
            row.waitKind = kWaitKinds[i % 4];
            row.halt = (i + 1) % 2;
            row.delay = 1000 + i;
        }
        table.RewriteFromRows();
    }
};

TEST_F(SettingsFileTest, AnAbsentFileGivesEveryDefaultAndStaysAbsent)
{
    fillTableWithEdits();
    std::tie(run.cyclic, run.lineEnd, run.encoding) =
        std::tuple(true, LineEndSuffix::None, TextEncoding::Euc);

    ASSERT_TRUE(settings.LoadSettingsFile().ok());

    // A never-named port is offered COM1; a closed port has nothing to take.
    EXPECT_EQ(port.name, u"COM1");
    EXPECT_FALSE(port.lineSettings.has_value());
    EXPECT_FALSE(port.handshake.has_value());
    EXPECT_EQ(console(), std::tuple(false, LineEndSuffix::CrLf, TextEncoding::Sjis));
    EXPECT_EQ(shown(), console());
    for (int i = 0; i < SendTable::kRowCount; ++i)
        EXPECT_EQ(rowCells(i), (Texts{u"", DecimalText(i), u"", u"なし", u"", u"100"})) << i;
    EXPECT_FALSE(std::filesystem::exists(settingsPath()));
    EXPECT_EQ(files.replaceCount, 0);
}

TEST_F(SettingsFileTest,
       OutOfRangeAndHandWrittenValuesLoadAsTheNativeProgramReadsThemAndSaveBackNormalised)
{
    writeFile(settingsPath(), "[CONSOLE]\r\nCYCLIC=3\r\nTERNINATOR=9\r\nENCODE=5\r\n"
                              "[DATA_INDEX0]\r\nSELECT=5\r\nDATA=x\r\nWAIT_RX=7\r\nHALT=2\r\n"
                              "DELAY=abc\r\n"
                              "[DATA_INDEX1]\r\nWAIT_RX=-1\r\nDELAY=-20\r\n"
                              "[DATA_INDEX100]\r\nSELECT=1\r\nDATA=not a row\r\n");

    ASSERT_TRUE(settings.LoadSettingsFile().ok());
    EXPECT_EQ(rowCells(0), (Texts{u" ", u"0", u"x", u"なし", u" ", u"0"}));
    EXPECT_EQ(table.rows()[0].waitKind, WaitKind::None);
    EXPECT_EQ(rowCells(1), (Texts{u"", u"1", u"", u"なし", u"", u"-20"}));
    // Only the wait kind is range-checked; the rest is shown and kept as the file says.
    EXPECT_EQ(controls.cyclic, true);
    EXPECT_EQ(static_cast<int>(run.lineEnd), 9);
    EXPECT_EQ(run.encoding, static_cast<TextEncoding>(5));
    EXPECT_EQ(controls.encoding, static_cast<TextEncoding>(5));

    ASSERT_TRUE(settings.WriteSettings().ok());
    platform::IniDocument saved = parsed(settingsPath());
    EXPECT_EQ(values(saved, u"DATA_INDEX0", {u"SELECT", u"WAIT_RX", u"HALT", u"DELAY"}),
              (Texts{u"1", u"0", u"1", u"0"}));
    EXPECT_EQ(values(saved, u"DATA_INDEX1", {u"WAIT_RX", u"DELAY"}), (Texts{u"0", u"-20"}));
    EXPECT_EQ(values(saved, u"CONSOLE", {u"CYCLIC", u"TERNINATOR", u"ENCODE"}),
              (Texts{u"3", u"9", u"5"}));
    // A row past the table is neither loaded nor lost.
    EXPECT_EQ(saved.value(u"DATA_INDEX100", u"DATA"), u"not a row");

    // A click on the box stores what the box says, even where it says what the file meant.
    run.cyclic = true;
    ASSERT_TRUE(settings.WriteSettings().ok());
    EXPECT_EQ(parsed(settingsPath()).value(u"CONSOLE", u"CYCLIC"), u"1");

    // As the Windows program and a text editor leave it: code page 932 (ソ and 表 end in the
    // byte 0x5C, ① is an NEC extension), names in any case, blanks around the equals sign, a
    // quoted value, comments.
    writeFile(settingsPath(), "; settings for bench 3\r\n"
                              "[serial]\r\nPort = \\\\.\\COM3\r\nbaud=115200\r\nDATA=7\r\n"
                              "STOP=2\r\nPARITY=2\r\nHNDSHK=1\r\n"
                              "[Console]\r\ncyclic=1\r\nTerninator=0\r\nEncode=2\r\n"
                              "[data_index0]\r\nselect = 1\r\n"
                              "data = \x83\x5c\x95\x5c\x87\x40 \x82\xa0\r\n"
                              "Wait_Rx=3\r\nhalt=1\r\ndelay= 250 \r\n"
                              "[DATA_INDEX7]\r\nDATA=\"ON\"\r\n");

    ASSERT_TRUE(settings.LoadSettingsFile().ok());
    EXPECT_EQ(port.name, u"\\\\.\\COM3");
    EXPECT_EQ(port.lineSettings, (platform::LineSettings{115200, 7, 2, 2}));
    EXPECT_EQ(port.handshake, 1);
    EXPECT_EQ(console(), std::tuple(true, LineEndSuffix::None, TextEncoding::Euc));
    EXPECT_EQ(rowCells(0), (Texts{u" ", u"0", u"ソ表① あ", u"Any", u" ", u"250"}));
    EXPECT_EQ(cell(7, SendTable::kDataColumn), u"ON");
}

TEST_F(SettingsFileTest, AllRowsRoundTripWithJapaneseBlanksAndQuotes)
{
    // How a value is quoted and escaped is the document's to get right; here the row fields
    // must reach it whole, blanks and code page 932 characters ending in 0x5C included.
    const std::u16string samples[] = {
        u" AT ", u"", u"\\x0D\\x0A$ESC", u"ソ表能 ① ｶﾅ", u"\"a\" and \"b\"", u"  "};
    for (int i = 0; i < SendTable::kRowCount; ++i) {
        SendRow& row = table.rows()[i];
        row.sendFlag = i % 3 == 0;
        row.data =
            samples[static_cast<size_t>(i) % std::size(samples)] + (i < 6 ? u"" : DecimalText(i));
        row.waitKind = kWaitKinds[i % 4];
        row.halt = i % 5 == 0;
        row.delay = i * 37;
    }
    table.RewriteFromRows();
    const std::array<SendRow, SendTable::kRowCount> written = table.rows();
    std::tie(run.cyclic, run.lineEnd, run.encoding) =
        std::tuple(true, LineEndSuffix::Lf, TextEncoding::Utf8);

    ASSERT_TRUE(settings.WriteSettings().ok());
    EXPECT_EQ(files.replaceCount, 1);

    // The native program reads the same file: code page 932 without a byte-order mark, the
    // sections and keys in its order, a value with outer blanks inside one pair of quotes.
    std::string raw = test::FileText(settingsPath());
    EXPECT_TRUE(raw.starts_with("[CONSOLE]\r\nCYCLIC=1\r\nTERNINATOR=3\r\nENCODE=1\r\n"
                                "[DATA_INDEX0]\r\nSELECT=1\r\nDATA=\" AT \"\r\nWAIT_RX=0\r\n"
                                "HALT=1\r\nDELAY=0\r\n[DATA_INDEX1]\r\n"))
        << raw.substr(0, 200);
    platform::IniDocument saved = parsed(settingsPath());
    EXPECT_EQ(saved.form(), platform::IniTextForm::CodePage932);
    Texts expectedSections{u"CONSOLE"};
    for (int i = 0; i < SendTable::kRowCount; ++i)
        expectedSections.push_back(rowSection(i));
    EXPECT_EQ(saved.sectionNames(), expectedSections);
    EXPECT_EQ(saved.keyNames(u"DATA_INDEX99"),
              (Texts{u"SELECT", u"DATA", u"WAIT_RX", u"HALT", u"DELAY"}));

    for (SendRow& row : table.rows())
        row = SendRow{};
    table.RewriteFromRows();
    run = RunState{};
    ASSERT_TRUE(settings.LoadSettingsFile().ok());
    for (int i = 0; i < SendTable::kRowCount; ++i) {
        EXPECT_EQ(cell(i, SendTable::kDataColumn), written[static_cast<size_t>(i)].data) << i;
        EXPECT_EQ(fields(table.rows()[i]), fields(written[static_cast<size_t>(i)])) << i;
    }
    EXPECT_EQ(console(), std::tuple(true, LineEndSuffix::Lf, TextEncoding::Utf8));
}

TEST_F(SettingsFileTest, ASaveKeepsWhatItDoesNotWrite)
{
    const std::string head = "; written by hand\r\n"
                             "[SERIAL]\r\nPORT=COM7\r\nBAUD=19200\r\n\r\n";
    const std::string tool = "[MyTool]\r\n# not ours\r\nanswer=42\r\n";
    writeFile(settingsPath(),
              head + "[DATA_INDEX5]\r\nNOTE=keep me\r\nDATA=old\r\n" + tool +
                  "[WINDOW_MAIN]\r\nNORM_LEFT=10\r\n[Profile ListTX]\r\nCurrentProfiles="
                  "\x83\x66\x83\x74\x83\x48\x83\x8b\x83\x67, \x83\x4a\x83\x58\x83\x5e\x83\x80\r\n");
    fillTableWithEdits();

    ASSERT_TRUE(settings.WriteSettings().ok());
    EXPECT_EQ(files.replaceCount, 1);

    std::string raw = test::FileText(settingsPath());
    EXPECT_TRUE(raw.starts_with(head + "[DATA_INDEX5]\r\nNOTE=keep me\r\nDATA=edited 5\r\n"))
        << raw.substr(0, 200);
    // In their old order; a lost section is found nowhere (npos), which fails the order or, for
    // the layout, the value check below.
    const size_t windowAt = raw.find("[WINDOW_MAIN]\r\nNORM_LEFT=10\r\n");
    EXPECT_LT(raw.find(tool), windowAt);
    EXPECT_LT(windowAt, raw.find("[Profile ListTX]\r\n"));
    platform::IniDocument saved = parsed(settingsPath());
    EXPECT_EQ(saved.value(u"Profile ListTX", u"CurrentProfiles"), u"デフォルト, カスタム");
    EXPECT_EQ(saved.value(u"DATA_INDEX0", u"DATA"), u"edited 0");
    EXPECT_EQ(saved.value(u"DATA_INDEX99", u"DELAY"), u"1099");
}

TEST_F(SettingsFileTest, WindowPositionsAreWrittenAndClearedInOneWriteEach)
{
    test::FixedWindowPlacements windows;
    windows.rects = {WindowRect{10, 20, 810, 620}, WindowRect{-300, 5, -10, 400},
                     WindowRect{900, 30, 1200, 330}};
    windows.shown = {true, false, true};

    ASSERT_TRUE(settings.WriteWindowPositions(windows).ok());
    EXPECT_EQ(files.replaceCount, 1);
    platform::IniDocument saved = parsed(settingsPath());
    EXPECT_EQ(saved.sectionNames(),
              (Texts{u"WINDOW_MAIN", u"WINDOW_TERMINAL", u"WINDOW_BUTTON_ARRAY"}));
    const Texts rectKeys{u"NORM_LEFT", u"NORM_TOP", u"NORM_RIGHT", u"NORM_BOTTOM"};
    const Texts visibleThenRect{u"VISIBLE", u"NORM_LEFT", u"NORM_TOP", u"NORM_RIGHT",
                                u"NORM_BOTTOM"};
    EXPECT_EQ(saved.keyNames(u"WINDOW_MAIN"), rectKeys);
    EXPECT_EQ(saved.keyNames(u"WINDOW_TERMINAL"), visibleThenRect);
    EXPECT_EQ(saved.keyNames(u"WINDOW_BUTTON_ARRAY"), visibleThenRect);
    EXPECT_EQ(saved.value(u"WINDOW_TERMINAL", u"NORM_LEFT"), u"-300");

    const PlacedWindow placed[] = {PlacedWindow::Main, PlacedWindow::Terminal,
                                   PlacedWindow::ButtonArray};
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(settings.ReadWindowRect(placed[i]), windows.rects[i]) << i;
    EXPECT_FALSE(settings.ReadWindowVisible(PlacedWindow::Terminal));
    EXPECT_TRUE(settings.ReadWindowVisible(PlacedWindow::ButtonArray));

    ASSERT_TRUE(settings.ClearWindowPositions().ok());
    EXPECT_EQ(files.replaceCount, 2);
    for (PlacedWindow window : placed) {
        EXPECT_EQ(settings.ReadWindowRect(window), WindowRect{});
        EXPECT_TRUE(settings.ReadWindowVisible(window));
    }
    EXPECT_EQ(parsed(settingsPath()).value(u"WINDOW_TERMINAL", u"VISIBLE"), u"1");
    EXPECT_EQ(files.replaceCount, 2);
}

TEST_F(SettingsFileTest, FailedWritesAreReportedAndLeaveTheOldFile)
{
    const std::string old = "[CONSOLE]\r\nCYCLIC=0\r\n[DATA_INDEX0]\r\nDATA=old\r\n";
    writeFile(settingsPath(), old);
    fillTableWithEdits();

    files.interruptWith = EIO;
    platform::FileError interrupted = settings.WriteSettings();
    EXPECT_EQ(interrupted.code, platform::FileError::fromErrno(EIO).code);
    EXPECT_FALSE(interrupted.message.empty());
    EXPECT_EQ(test::FileText(settingsPath()), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    files.interruptWith.reset();
    files.failWith = ENOSPC;
    EXPECT_EQ(settings.WriteWindowPositions(test::FixedWindowPlacements{}).code,
              platform::FileError::fromErrno(ENOSPC).code);
    EXPECT_EQ(test::FileText(settingsPath()), old);

    // As root, permission bits stop nothing; a folder that is a plain file stops everyone.
    files.failWith.reset();
    writeFile(dir / "plain", "not a folder");
    ProfileStore blocked(dir / "plain" / "Wirevane.ini", files);
    SettingsFile blockedSettings(blocked, table, run, port, controls);
    platform::FileError error = blockedSettings.WriteSettings();
    EXPECT_FALSE(error.ok());
    EXPECT_FALSE(error.message.empty());
}

// Save as and the temporary save write no SERIAL section, so loading their files (open, temporary
// load, a button) must leave a port in use alone; a file may also name only some of the keys.
TEST_F(SettingsFileTest, OnlyTheSerialKeysAFileHoldsReachAnOpenPort)
{
    port.open = true;
    port.name = u"/dev/ttyUSB0";
    port.current = {19200, 7, 2, 2};

    writeFile(settingsPath(), "[CONSOLE]\r\nCYCLIC=1\r\n[DATA_INDEX0]\r\nDATA=x\r\n");
    ASSERT_TRUE(settings.LoadSettingsFile().ok());
    EXPECT_EQ(portState(), (PortState{u"/dev/ttyUSB0", {19200, 7, 2, 2}, {}}));
    EXPECT_FALSE(port.lineSettings.has_value());
    EXPECT_TRUE(run.cyclic);

    writeFile(settingsPath(), "[SERIAL]\r\nbaud=115200\r\n");
    ASSERT_TRUE(settings.LoadSettingsFile().ok());
    EXPECT_EQ(portState(), (PortState{u"/dev/ttyUSB0", {115200, 7, 2, 2}, {}}));

    writeFile(settingsPath(), "[SERIAL]\r\nPARITY=0\r\nHNDSHK=2\r\nPORT=/dev/ttyS1\r\n");
    ASSERT_TRUE(settings.LoadSettingsFile().ok());
    EXPECT_EQ(portState(), (PortState{u"/dev/ttyS1", {115200, 7, 0, 2}, 2}));
}

// A folder, and a file whose first lines would change a row but that holds more lines than any
// settings file: neither is read in part, and neither is written over.
TEST_F(SettingsFileTest, AFileThatCannotBeReadChangesNothing)
{
    fillTableWithEdits();
    run.cyclic = true;
    const std::array<SendRow, SendTable::kRowCount> before = table.rows();
    struct Case {
        std::function<void()> make;
        platform::FileError error;
    };
    const Case cases[] = {
        {[this] { std::filesystem::create_directory(settingsPath()); },
         platform::FileError::fromErrno(EISDIR)},
        {[this] {
             std::filesystem::remove(settingsPath());
             writeFile(settingsPath(), "[DATA_INDEX3]\r\nDATA=read\r\n[CONSOLE]\r\nCYCLIC=0\r\n" +
                                           std::string(platform::IniDocument::kLineLimit, '\n'));
         },
         platform::FileError::TooLarge(
             "Too many lines: a settings file never holds more than 100,000")},
    };
    for (const Case& c : cases) {
        c.make();
        const platform::FileError loaded = settings.LoadSettingsFile();
        EXPECT_EQ(loaded.code, c.error.code);
        EXPECT_EQ(loaded.message, c.error.message);
        EXPECT_EQ(cell(3, SendTable::kDataColumn), u"edited 3");
        EXPECT_EQ(table.rows()[3].delay, before[3].delay);
        EXPECT_TRUE(run.cyclic);
        EXPECT_TRUE(port.name.empty());
        EXPECT_FALSE(controls.cyclic.has_value());

        EXPECT_EQ(settings.WriteSettings().code, c.error.code);
        EXPECT_EQ(files.replaceCount, 0);
    }
}

// Our own keys appear only while they say something: the file that had them saves back to the
// bytes of one that never did.
TEST_F(SettingsFileTest, ExpectedAnswersAndGoingOnAreStoredOnlyWhileSet)
{
    fillTableWithEdits();
    ASSERT_TRUE(settings.WriteSettings().ok());
    const std::string withoutChecks = test::FileText(settingsPath());

    table.rows()[3].expect = u"re:^OK\\r$";
    table.rows()[40].expect = u"電圧 \"1\"";
    table.RewriteFromRows();
    run.stopOnFail = false;
    ASSERT_TRUE(settings.WriteSettings().ok());
    platform::IniDocument saved = parsed(settingsPath());
    EXPECT_EQ(saved.keyNames(rowSection(3)),
              (Texts{u"SELECT", u"DATA", u"WAIT_RX", u"HALT", u"DELAY", u"EXPECT"}));
    EXPECT_EQ(saved.keyNames(rowSection(4)).size(), 5u);
    EXPECT_EQ(saved.value(u"WIREVANE", u"STOP_ON_FAIL"), u"0");

    table.rows()[3].expect.clear();
    table.rows()[40].expect.clear();
    table.RewriteFromRows();
    run = RunState{};
    ASSERT_TRUE(settings.LoadSettingsFile().ok());
    EXPECT_EQ(cell(3, SendTable::kExpectColumn), u"re:^OK\\r$");
    EXPECT_EQ(cell(40, SendTable::kExpectColumn), u"電圧 \"1\"");
    EXPECT_FALSE(run.stopOnFail);

    grid.SetCellText(3, SendTable::kExpectColumn, u"");
    grid.SetCellText(40, SendTable::kExpectColumn, u"");
    run.stopOnFail = true;
    ASSERT_TRUE(settings.WriteSettings().ok());
    std::string cleared = test::FileText(settingsPath());
    // The emptied section stays where the first save put it.
    const std::string emptied = "[WIREVANE]\r\n";
    if (const auto at = cleared.find(emptied); at != std::string::npos)
        cleared.erase(at, emptied.size());
    EXPECT_EQ(cleared, withoutChecks);
}

} // namespace
} // namespace wirevane
