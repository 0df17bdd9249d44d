#include "fakes/memory_column_model.h"
#include "fakes/recording_profile_files.h"
#include "grid/layout/column_layout.h"
#include "grid/layout/stored_layout.h"
#include "grid/layout/view_config_section_win_app.h"
#include "platform/atomic_file.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

using Column = test::MemoryColumnModel::Column;

// The send table's columns: a hidden label column, then sub-items 0..5.
std::vector<Column> sendTableColumns()
{
    std::vector<Column> columns;
    columns.push_back(Column{-1, false, 0, true, false, false});
    const int widths[] = {42, 50, 240, 60, 42, 80};
    for (int id = 0; id < 6; ++id)
        columns.push_back(Column{id, true, widths[id]});
    return columns;
}

class ColumnLayoutTest : public ::testing::Test {
protected:
    void attach()
    {
        auto section = std::make_unique<CViewConfigSectionWinApp>(u"Profile ListTX", store);
        section->RegisterProfile(u"デフォルト");
        section->RegisterProfile(u"カスタム");
        sectionView = section.get();
        layout.AttachColumnLayout(std::move(section));
    }

    // The texts here are UTF-8, so the file says so with a byte-order mark.
    void writeFile(std::string_view text)
    {
        std::vector<uint8_t> bytes = {0xEF, 0xBB, 0xBF};
        bytes.insert(bytes.end(), text.begin(), text.end());
        ASSERT_TRUE(platform::ReplaceFileAtomically(dir / "Wirevane.ini", bytes).ok());
    }

    // The file's text after its byte-order mark.
    std::string fileText() { return test::FileText(dir / "Wirevane.ini").substr(3); }
    platform::IniDocument file() { return test::IniFile(dir / "Wirevane.ini"); }

    test::TempDir dir;
    test::RecordingProfileFiles files;
    ProfileStore store{dir / "Wirevane.ini", files};
    test::MemoryColumnModel columns{sendTableColumns()};
    ColumnLayout layout{columns};
    CViewConfigSectionWinApp* sectionView = nullptr;
};

TEST_F(ColumnLayoutTest, FirstStartShowsTheDefaultAndStoresOnlyTheProfileList)
{
    attach();
    EXPECT_EQ(columns.shown(), "0:42 1:50 2:240 3:60 4:42 5:80 ");
    EXPECT_EQ(columns.order.front(), 0);
    EXPECT_EQ(columns.at(0).position, -1);

    // デフォルト, カスタム in code page 932.
    EXPECT_EQ(test::FileText(dir / "Wirevane.ini"),
              "[Profile ListTX]\r\nCurrentProfiles=\x83\x66\x83\x74\x83\x48\x83\x8b\x83\x67, "
              "\x83\x4a\x83\x58\x83\x5e\x83\x80\r\n");
}

TEST_F(ColumnLayoutTest, HidingAColumnAndSwitchingProfileStoresTheOldLayout)
{
    attach();
    columns.HideColumn(2);
    ASSERT_TRUE(layout.SaveAttached().ok());
    columns.at(3).width = 300;
    int writesBefore = files.replaceCount;
    ASSERT_TRUE(layout.SwitchLayoutProfile(u"カスタム").ok());
    EXPECT_EQ(files.replaceCount, writesBefore + 1);

    EXPECT_EQ(test::StoredLayout(file(), u"Profile ListTX__デフォルト"),
              "0:42 2:300 3:60 4:42 5:80 ");
    EXPECT_EQ(file().readString(u"Profile ListTX", u"ActiveProfile", u""), u"カスタム");
    EXPECT_EQ(sectionView->ActiveProfileName(), u"カスタム");
    // Nothing is stored for the new profile yet: it shows the default layout.
    EXPECT_EQ(columns.shown(), "0:42 1:50 2:240 3:60 4:42 5:80 ");

    ASSERT_TRUE(layout.SwitchLayoutProfile(u"デフォルト").ok());
    EXPECT_EQ(columns.shown(), "0:42 2:300 3:60 4:42 5:80 ");
    EXPECT_EQ(columns.at(2).widthToRestore, 50);
    EXPECT_EQ(file().readString(u"Profile ListTX", u"CurrentProfiles", u""),
              u"デフォルト, カスタム");
}

TEST_F(ColumnLayoutTest, ResetWritesTheDefaultsIntoTheActiveProfile)
{
    writeFile("[Profile ListTX]\r\nCurrentProfiles=x\r\nActiveProfile=x\r\n"
              "[Profile ListTX__x]\r\nColumnCount=1\r\nColumnData_0=5\r\nColumnWidth_0=9\r\n");
    attach();
    EXPECT_EQ(columns.shown(), "5:9 ");
    ASSERT_TRUE(layout.ResetColumnLayout().ok());
    EXPECT_EQ(columns.shown(), "0:42 1:50 2:240 3:60 4:42 5:80 ");
    EXPECT_EQ(test::StoredLayout(file(), u"Profile ListTX__x"), "0:42 1:50 2:240 3:60 4:42 5:80 ");
    EXPECT_EQ(file().keyNames(u"Profile ListTX__x").size(), 13u);
}

TEST_F(ColumnLayoutTest, StoredEntriesThatRepeatOrRunShortAreSkippedOrDefaulted)
{
    // Id 2 twice: the column is placed once. The zero width still counts as visible.
    writeFile("[Profile ListTX__デフォルト]\r\nColumnCount=3\r\n"
              "ColumnData_0=2\r\nColumnWidth_0=11\r\nColumnData_1=2\r\nColumnWidth_1=22\r\n"
              "ColumnData_2=0\r\nColumnWidth_2=0\r\n");
    attach();
    EXPECT_EQ(columns.shown(), "2:22 0:0 ");
    // Hidden columns stand in front of the visible ones, highest-numbered last.
    EXPECT_EQ(columns.order, (std::vector<int>{0, 2, 4, 5, 6, 3, 1}));

    // Count 4 with two entries: entries 2 and 3 read as the default layout's.
    writeFile("[Profile ListTX__デフォルト]\r\nColumnCount=4\r\n"
              "ColumnData_0=3\r\nColumnWidth_0=1\r\nColumnData_1=4\r\nColumnWidth_1=2\r\n");
    layout.LoadAttached();
    EXPECT_EQ(columns.shown(), "4:2 2:240 3:60 ");

    // Ids that name no column are skipped; a huge count does not keep the load busy. Entries
    // past the defaults read as id 0, defaulted ones fill in ids 2..5, stored 5 is then taken.
    writeFile("[Profile ListTX__デフォルト]\r\nColumnCount=2147483647\r\n"
              "ColumnData_0=77\r\nColumnData_1=5\r\n");
    layout.LoadAttached();
    EXPECT_EQ(columns.shown(), "2:240 3:60 4:42 5:80 0:0 ");
}

TEST_F(ColumnLayoutTest, TraitsDecideWhatALoadMayChange)
{
    columns.at(4).resizable = false;
    columns.at(6).alwaysVisible = true;
    writeFile("[Profile ListTX__デフォルト]\r\nColumnCount=3\r\n"
              "ColumnData_0=-1\r\nColumnWidth_0=99\r\nColumnData_1=3\r\nColumnWidth_1=99\r\n"
              "ColumnData_2=0\r\nColumnWidth_2=99\r\n");
    attach();
    // The label column stays hidden although its id is stored; the fixed-width column keeps
    // its width; the always-visible column is shown though it is not stored.
    EXPECT_EQ(columns.shown(), "5:80 3:60 0:99 ");
    EXPECT_FALSE(columns.at(0).visible);
}

TEST_F(ColumnLayoutTest, ALoadIsNotSavedWhileItRuns)
{
    attach();
    std::vector<bool> attachedDuringChange;
    columns.onChange = [&] { attachedDuringChange.push_back(layout.attachedSection() != nullptr); };
    int writesBefore = files.replaceCount;
    layout.LoadAttached();
    EXPECT_FALSE(attachedDuringChange.empty());
    EXPECT_EQ(std::count(attachedDuringChange.begin(), attachedDuringChange.end(), true), 0);
    EXPECT_NE(layout.attachedSection(), nullptr);
    EXPECT_TRUE(columns.redrawOn);
    EXPECT_EQ(files.replaceCount, writesBefore);
}

TEST_F(ColumnLayoutTest, ViewSectionsClearKeepingTheProfileKeysAndRegisterProfilesOnce)
{
    writeFile("[Profile ListTX]\r\nCurrentProfiles=\r\nActiveProfile=\r\n"
              "ColumnCount=1\r\nColumnData_0=4\r\nColumnWidth_0=10\r\n");
    CViewConfigSectionWinApp section(u"Profile ListTX", store);
    EXPECT_EQ(section.CurrentSectionName(), u"Profile ListTX");
    section.ClearCurrentLayout();
    EXPECT_EQ(fileText(), "[Profile ListTX]\r\nCurrentProfiles=\r\nActiveProfile=\r\n");

    writeFile("[Profile ListTX]\r\nCurrentProfiles=a, b\r\nActiveProfile=b\r\n"
              "[Profile ListTX__b]\r\nColumnCount=1\r\n[Profile ListTX__a]\r\nColumnCount=2\r\n");
    CViewConfigSectionWinApp profiles(u"Profile ListTX", store);
    profiles.ClearCurrentLayout();
    EXPECT_EQ(fileText(), "[Profile ListTX]\r\nCurrentProfiles=a, b\r\nActiveProfile=b\r\n"
                          "[Profile ListTX__a]\r\nColumnCount=2\r\n");

    // Profiles register once and are removed cleanly.
    CViewConfigSectionWinApp view(u"V", store);
    for (const char16_t* name : {u"a", u"b", u"a"})
        view.RegisterProfile(name);
    EXPECT_EQ(view.ProfileList(), (std::vector<std::u16string>{u"a", u"b"}));
    EXPECT_EQ(view.CurrentSectionName(), u"V__a");
    view.ActivateProfile(u"c");
    EXPECT_EQ(view.ProfileList(), (std::vector<std::u16string>{u"a", u"b", u"c"}));
    view.StoreInt(u"k", 1);
    view.RemoveProfile(u"c");
    view.RemoveProfile(u"");
    EXPECT_EQ(view.ProfileList(), (std::vector<std::u16string>{u"a", u"b"}));
    EXPECT_EQ(store.readInt(u"V__c", u"k", -1), -1);
    EXPECT_EQ(store.readString(u"V", u"ActiveProfile", u""), u"c");
}

// The send table with the column the native layout sections do not know (sub-item 6).
class OwnColumnLayoutTest : public ColumnLayoutTest {
protected:
    OwnColumnLayoutTest()
    {
        columns.columns.push_back(Column{6, true, 160});
        columns.order.push_back(7);
        layout.KeepOutsideNativeLayout({6, u"WIREVANE", u"EXPECT_COLUMN"});
    }

    std::vector<std::u16string> ownKeys() { return file().keyNames(u"WIREVANE"); }
    // Saves; then the own column's keys in the file, and what a fresh table shows from it.
    std::string SaveAndReload()
    {
        EXPECT_TRUE(layout.SaveAttached().ok());
        std::string text;
        for (const std::u16string& key : ownKeys())
            text += std::string(key.begin(), key.end()) + " ";
        test::MemoryColumnModel fresh{columns.columns};
        for (Column& column : fresh.columns)
            column.visible = true;
        ColumnLayout reloaded{fresh};
        reloaded.KeepOutsideNativeLayout({6, u"WIREVANE", u"EXPECT_COLUMN"});
        reloaded.AttachColumnLayout(
            std::make_unique<CViewConfigSectionWinApp>(u"Profile ListTX", store));
        return text + "| " + fresh.shown();
    }
};

TEST_F(OwnColumnLayoutTest, NativeSectionsKeepTheirColumnsAndTheOwnColumnItsKeys)
{
    const std::string native = "[Profile ListTX]\r\nCurrentProfiles=デフォルト, カスタム\r\n"
                               "[Profile ListTX__デフォルト]\r\nColumnData_0=2\r\n"
                               "ColumnWidth_0=300\r\nColumnData_1=0\r\nColumnWidth_1=40\r\n"
                               "ColumnData_2=5\r\nColumnWidth_2=90\r\nColumnCount=3\r\n";
    writeFile(native);
    attach();
    EXPECT_EQ(columns.shown(), "2:300 0:40 5:90 6:160 ");
    ASSERT_TRUE(layout.SaveAttached().ok());
    EXPECT_EQ(file().sectionNames(),
              (std::vector<std::u16string>{u"Profile ListTX", u"Profile ListTX__デフォルト"}));
    EXPECT_EQ(file().readInt(u"Profile ListTX__デフォルト", u"ColumnCount", -1), 3);

    columns.HideColumn(7);
    EXPECT_EQ(SaveAndReload(), "EXPECT_COLUMN_HIDDEN | 2:300 0:40 5:90 ");
    // Shown again, wider, in front.
    columns.ShowColumn(7);
    columns.at(7).width = 200;
    columns.order = {0, 2, 4, 5, 7, 3, 1, 6};
    EXPECT_EQ(SaveAndReload(), "EXPECT_COLUMN_WIDTH EXPECT_COLUMN_PLACE | 6:200 2:300 0:40 5:90 ");
    // Last again, at its first width.
    columns.at(7).width = 160;
    columns.order = {0, 2, 4, 5, 3, 1, 6, 7};
    EXPECT_EQ(SaveAndReload(), "| 2:300 0:40 5:90 6:160 ");
    // The native sections are what the native program wrote.
    EXPECT_EQ(fileText(), native);

    columns.HideColumn(7);
    ASSERT_TRUE(layout.SaveAttached().ok());
    ASSERT_TRUE(layout.ResetColumnLayout().ok());
    EXPECT_TRUE(ownKeys().empty());
    EXPECT_EQ(columns.shown(), "0:42 1:50 2:240 3:60 4:42 5:80 6:160 ");
    EXPECT_EQ(file().readInt(u"Profile ListTX__デフォルト", u"ColumnCount", -1), 6);
}

TEST(ViewConfigSection, TypedValuesConvertBothWays)
{
    CViewConfigSectionDefault::CViewConfigSectionLocal local(u"V");
    local.StoreBool(u"b", true);
    local.StoreFloat(u"f", 2.5, 3);
    local.StoreIntList(u"l", {3, -1, 20});
    local.StoreValue(u"odd", u"maybe");
    EXPECT_EQ(local.ValueOf(u"f", u""), u"2.500");
    EXPECT_EQ(local.ValueOf(u"l", u""), u"3, -1, 20");
    EXPECT_TRUE(local.ReadBool(u"b", false));
    EXPECT_TRUE(local.ReadBool(u"odd", true));
    EXPECT_FALSE(local.ReadBool(u"missing", false));
    EXPECT_DOUBLE_EQ(local.ReadFloat(u"f", 0), 2.5);
    EXPECT_DOUBLE_EQ(local.ReadFloat(u"missing", 1.25), 1.25);
    EXPECT_EQ(local.ReadIntList(u"l"), (std::vector<int>{3, -1, 20}));
    EXPECT_EQ(local.ReadInt(u"odd", 5), 0);
    EXPECT_EQ(local.ReadInt(u"missing", 5), 5);
    EXPECT_TRUE(local.ReadIntList(u"missing").empty());
}

} // namespace
} // namespace wirevane
