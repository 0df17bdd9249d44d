#include "buttons/file/button_file.h"
#include "core/decimal_text.h"
#include "fakes/recording_profile_files.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

#include <cerrno>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace wirevane {
namespace {

void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class ButtonFileTest : public ::testing::Test {
protected:
    std::filesystem::path programDir() const { return dir.path() / ""; }
    std::filesystem::path buttonPath() const { return dir / "WirevaneButtons.ini"; }
    std::filesystem::path settingsPath() const { return dir / "Wirevane.ini"; }

    ButtonFile loaded()
    {
        ButtonFile file(store, buttonPath());
        file.LoadButtonFile();
        return file;
    }

    test::TempDir dir;
    test::RecordingProfileFiles files;
    ProfileStore store{settingsPath(), files};
};

// What a first start shows is the button array window's test; loading writes nothing.
TEST_F(ButtonFileTest, LoadingWritesNothingAndReadsAGroupOutsideTheEightAsTheFirst)
{
    loaded();
    EXPECT_FALSE(std::filesystem::exists(buttonPath()));
    EXPECT_EQ(files.replaceCount, 0);
    EXPECT_EQ(store.activePath(), settingsPath());

    // A group outside the eight reads as the first.
    for (const std::string stored : {"8", "-1", "99999999999", "seven", "7"}) {
        SCOPED_TRACE(stored);
        writeFile(buttonPath(), "[BUTTON_GROUP]\r\nN_BUTTON_GROUP=" + stored + "\r\n");
        EXPECT_EQ(loaded().currentGroup, stored == "7" ? 7 : 0);
    }
}

TEST_F(ButtonFileTest, ASaveWritesEverySlotAndTitleInOneWrite)
{
    ButtonFile file(store, buttonPath());
    ASSERT_TRUE(file.SaveButtonFile().ok());
    EXPECT_EQ(files.replaceCount, 1);
    EXPECT_EQ(store.activePath(), settingsPath());
    EXPECT_FALSE(std::filesystem::exists(settingsPath()));

    // The group section with its eight titles, a section per slot, then the mode.
    std::string expected = "[BUTTON_GROUP]\r\nN_BUTTON_GROUP=0\r\n";
    for (int g = 0; g < 8; ++g)
        expected += "TITLE_" + std::to_string(g) + "=\r\n";
    for (int g = 0; g < 8; ++g) {
        for (int b = 0; b < 12; ++b)
            expected += "[GROUPE" + std::to_string(g) + "_INDEX" + std::to_string(b) +
                        "]\r\nBUTTON_FILE_PATH=\r\nBUTTON_TEXT=\r\n";
    }
    EXPECT_EQ(test::FileText(buttonPath()), expected + "[BUTTON_ARRAY]\r\nLOAD_RUN=1\r\n");
}

TEST_F(ButtonFileTest, EveryFieldRoundTrips)
{
    ButtonFile file(store, buttonPath());
    for (int g = 0; g < 8; ++g) {
        file.groupTitles[g] = u"グループ " + DecimalText(g + 1);
        for (int b = 0; b < 12; ++b) {
            ButtonSlot& slot = file.buttonSlots[ButtonFile::slotIndex(g, b)];
            slot.path = u"./set " + DecimalText(g) + u"-" + DecimalText(b) + u".ini";
            slot.text = u" 設定 \"" + DecimalText(b) + u"\" ";
        }
    }
    file.groupTitles[5].clear();
    file.buttonSlots[ButtonFile::slotIndex(3, 4)] = ButtonSlot{};
    file.currentGroup = 6;
    file.loadAndSend = 0;
    ASSERT_TRUE(file.SaveButtonFile().ok());

    ButtonFile back = loaded();
    EXPECT_EQ(back.groupTitles, file.groupTitles);
    for (int i = 0; i < ButtonFile::kSlotCount; ++i)
        EXPECT_EQ(std::tie(back.buttonSlots[i].path, back.buttonSlots[i].text),
                  std::tie(file.buttonSlots[i].path, file.buttonSlots[i].text))
            << i;
    EXPECT_EQ(std::tuple(back.currentGroup, back.loadAndSend), std::tuple(6, 0));

    // The third group's tenth button keeps its own section.
    std::string raw = test::FileText(buttonPath());
    EXPECT_NE(raw.find("[GROUPE2_INDEX9]\r\nBUTTON_FILE_PATH=./set 2-9.ini\r\n"),
              std::string::npos);
}

TEST_F(ButtonFileTest, ANativeFileReadsWithItsWindowsPaths)
{
    // Code page 932, as the Windows program writes it: グループ is 83 4F 83 8B 81 5B 83 76.
    writeFile(buttonPath(), "[BUTTON_GROUP]\r\nN_BUTTON_GROUP=2\r\n"
                            "TITLE_2=\x83\x4f\x83\x8b\x81\x5b\x83\x76\r\n"
                            "[GROUPE2_INDEX9]\r\nBUTTON_FILE_PATH=.\\a.ini\r\nBUTTON_TEXT=a.ini\r\n"
                            "[BUTTON_ARRAY]\r\nLOAD_RUN=0\r\n");
    ButtonFile file = loaded();
    EXPECT_EQ(file.currentGroup, 2);
    EXPECT_EQ(file.groupTitles[2], u"グループ");
    const ButtonSlot& slot = file.buttonSlots[ButtonFile::slotIndex(2, 9)];
    EXPECT_EQ(slot.text, u"a.ini");
    EXPECT_EQ(ResolveSlotPath(programDir(), slot.path), dir / "a.ini");
    EXPECT_EQ(file.loadAndSend, 0);
}

TEST_F(ButtonFileTest, AFailedSaveIsReportedAndTheSettingsFileStaysActive)
{
    writeFile(buttonPath(), "[BUTTON_ARRAY]\r\nLOAD_RUN=0\r\n");
    ButtonFile file = loaded();
    file.buttonSlots[0] = ButtonSlot{u"./a.ini", u"a.ini"};
    files.interruptWith = EIO;
    EXPECT_EQ(file.SaveButtonFile().code, platform::FileError::fromErrno(EIO).code);
    EXPECT_EQ(test::FileText(buttonPath()), "[BUTTON_ARRAY]\r\nLOAD_RUN=0\r\n");
    EXPECT_EQ(store.activePath(), settingsPath());
}

// Absolute paths on this system's own root ("/" here, the current drive on Windows).
std::filesystem::path Rooted(std::u8string_view path)
{
    return std::filesystem::current_path().root_path() / std::filesystem::path(path);
}

constexpr bool kWindowsSeparators = std::filesystem::path::preferred_separator == '\\';

TEST(SlotPath, IsRelativeToTheProgramFolderInThePlatformsFormAndResolvesFromEither)
{
    const std::filesystem::path programDir = Rooted(u8"opt/wirevane/bin/");
    // A file, its relative path as stored here, and as Windows' own programs store it.
    const std::tuple<const char8_t*, std::u16string_view, std::u16string_view> cases[] = {
        {u8"opt/wirevane/bin/a.ini", u"./a.ini", u".\\a.ini"},
        {u8"opt/wirevane/tests/a.ini", u"../tests/a.ini", u"..\\tests\\a.ini"},
        {u8"opt/wirevane/bin/sets/b.ini", u"./sets/b.ini", u".\\sets\\b.ini"},
        {u8"home/u/x.ini", u"../../../home/u/x.ini", u"..\\..\\..\\home\\u\\x.ini"},
        {u8"opt/wirevane/bin/../bin/./..a.ini", u"./..a.ini", u".\\..a.ini"},
    };
    for (const auto& [file, slashed, windows] : cases) {
        SCOPED_TRACE(reinterpret_cast<const char*>(file));
        const std::u16string_view expected = kWindowsSeparators ? windows : slashed;
        EXPECT_EQ(MakeRelativePath(programDir, Rooted(file)), expected);
        EXPECT_EQ(SlotPathFor(programDir, Rooted(file)), expected);
    }
    EXPECT_EQ(MakeRelativePath(programDir, "relative/a.ini"), u"");
    // With no relative form the slot keeps the absolute path, never an empty one.
    EXPECT_EQ(std::filesystem::path(SlotPathFor("relative/dir/", "c.ini")),
              std::filesystem::current_path() / "c.ini");

    // Stored paths resolve from either platform's form.
    const std::filesystem::path inProgramFolder = Rooted(u8"opt/wirevane/bin/a.ini");
    EXPECT_EQ(ResolveSlotPath(programDir, u"./a.ini"), inProgramFolder);
    EXPECT_EQ(ResolveSlotPath(programDir, u".\\a.ini"), inProgramFolder);
    EXPECT_EQ(ResolveSlotPath(programDir, u"..\\tests\\a.ini"),
              Rooted(u8"opt/wirevane/tests/a.ini"));
    const std::filesystem::path elsewhere = Rooted(u8"srv/sets/x.ini");
    EXPECT_EQ(ResolveSlotPath(programDir, elsewhere.u16string()), elsewhere);
    for (const char8_t* file :
         {u8"opt/wirevane/bin/a.ini", u8"opt/wirevane/tests/a b.ini", u8"srv/設定/x.ini"}) {
        EXPECT_EQ(ResolveSlotPath(programDir, SlotPathFor(programDir, Rooted(file))), Rooted(file));
    }
}

} // namespace
} // namespace wirevane
