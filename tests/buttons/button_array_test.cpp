#include "buttons/button_array_ids.h"
#include "buttons/button_captions.h"
#include "buttons/dialog_button_array.h"
#include "fakes/recording_button_array_host.h"
#include "persistence/profile_files.h"
#include "persistence/profile_store.h"
#include "support/file_text.h"
#include "support/modal_helper.h"
#include "support/temp_dir.h"
#include "support/widgets/file_dialog_choice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using namespace button_array;

// Paths relative to the program's folder are stored with the platform's separator.
constexpr bool kWindowsSeparators = std::filesystem::path::preferred_separator == '\\';

std::u16string InThePlatformsForm(std::u16string path)
{
    std::replace(path.begin(), path.end(), u'/',
                 char16_t(std::filesystem::path::preferred_separator));
    return path;
}

// A control of a window or dialog, by its id.
template <typename T = QPushButton> T* In(QWidget* parent, int id)
{
    return parent->findChild<T*>(QString::number(id));
}

// The window over a real program folder in a temporary folder, with the main window faked.
class ButtonArray : public ::testing::Test {
protected:
    ButtonArray()
    {
        paths.programDir = dir.path() / "";
        paths.settingsPath = dir.path() / "Wirevane.ini";
        paths.tempPath = dir.path() / "Temporally.ini";
        paths.buttonFilePath = dir.path() / "WirevaneButtons.ini";
    }

    CDialogButtonArray& Window()
    {
        if (!window) {
            window = std::make_unique<CDialogButtonArray>(host, store, paths);
            window->show();
        }
        return *window;
    }
    template <typename T = QPushButton> T* Child(int id) { return In<T>(&Window(), id); }
    QPushButton* Button(int id) { return Child(id); }
    QComboBox* Groups() { return Child<QComboBox>(kGroupCombo); }
    void WriteSettingsFile(const std::string& name)
    {
        std::ofstream(dir.path() / name) << "[TEST]\nNAME=" << name << "\n";
    }
    std::string SavedButtons() { return test::FileText(paths.buttonFilePath); }
    void Bind(int group, int button, const std::u16string& path, const std::u16string& text)
    {
        auto& slot = Window().buttonFile().buttonSlots[static_cast<std::size_t>(
            ButtonFile::slotIndex(group, button))];
        slot.path = path;
        slot.text = text;
        Window().RelabelButtons();
    }

    test::TempDir dir;
    ProgramPaths paths;
    DiskProfileFiles files;
    ProfileStore store{dir.path() / "Wirevane.ini", files};
    test::RecordingButtonArrayHost host{store};
    std::unique_ptr<CDialogButtonArray> window;
};

TEST_F(ButtonArray, FirstStartShowsGroupOneWithTwelveUnboundButtons)
{
    QComboBox* combo = Groups();
    ASSERT_EQ(combo->count(), 8);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("<1> "));
    for (int id : kSlotButtons)
        EXPECT_EQ(Button(id)->text(), QStringLiteral("<未登録>"));
    for (int id : kSideButtons)
        EXPECT_FALSE(Button(id)->isVisible());
    EXPECT_TRUE(Child<QRadioButton>(kLoadAndSendButton)->isChecked());
}

// An unbound button, or one whose file is gone, only tells why; a bound one loads its file,
// resets, and sends only in load-and-send mode.
TEST_F(ButtonArray, PressingAButtonLoadsItsFileResetsAndSendsOrTellsWhyNot)
{
    QTest::mouseClick(Button(kSlotButtons[0]), Qt::LeftButton);
    EXPECT_EQ(Window().StatusText(), QStringLiteral("設定ファイルが登録されていません"));
    Bind(0, 1, u"./gone.ini", u"gone");
    QTest::mouseClick(Button(kSlotButtons[1]), Qt::LeftButton);
    EXPECT_EQ(Window().StatusText(), QStringLiteral("設定ファイルが見つかりません"));
    EXPECT_TRUE(host.calls.empty());

    std::filesystem::create_directory(dir.path() / "tables");
    WriteSettingsFile("tables/run.ini");
    Bind(0, 11, u"./tables/run.ini", u"run");
    QTest::mouseClick(Button(kSlotButtons[11]), Qt::LeftButton);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"load tables/run.ini", "reset", "send"}));

    host.calls.clear();
    WriteSettingsFile("table.ini");
    Bind(0, 0, u"./table.ini", u"温度測定");
    QTest::mouseClick(Child<QRadioButton>(kLoadOnlyButton), Qt::LeftButton);
    EXPECT_EQ(Window().buttonFile().loadAndSend, 0);
    QTest::mouseClick(Button(kSlotButtons[0]), Qt::LeftButton);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"load table.ini", "reset"}));
    EXPECT_EQ(Window().StatusText(), QStringLiteral("温度測定 読込 済"));
    // The settings file is the active profile again afterwards.
    EXPECT_EQ(store.readString(u"TEST", u"NAME", u"none"), u"none");
}

TEST_F(ButtonArray, GroupsSwitchTheirCaptionsAndKeepTheSideButtons)
{
    Bind(2, 3, u"./c.ini", u"third group");
    Window().SetSlotMode(kSlotModeRename);
    Groups()->setCurrentIndex(2);
    EXPECT_EQ(Window().buttonFile().currentGroup, 2);
    EXPECT_EQ(Button(kSlotButtons[3])->text(), QStringLiteral("third group"));
    EXPECT_EQ(Button(kSlotButtons[0])->text(), QStringLiteral("<未登録>"));
    EXPECT_EQ(Window().slotMode(), kSlotModeRename);
    EXPECT_TRUE(Button(kSideButtons[3])->isVisible());
    EXPECT_EQ(Button(kSideButtons[3])->text(), QStringLiteral("ボタン名"));
}

TEST_F(ButtonArray, ButtonsEndFourPixelsBeforeShownSideButtonsOrSpanTheirPlace)
{
    QPushButton* button = Button(kSlotButtons[0]);
    QPushButton* side = Button(kSideButtons[0]);
    Window().SetSlotMode(kSlotModeRegister);
    QTRY_VERIFY(side->isVisible());
    QTRY_COMPARE(side->x() - (button->x() + button->width()), 4);
    const int sideRight = side->x() + side->width();
    EXPECT_EQ(side->text(), QStringLiteral("登録"));
    Window().SetSlotMode(kSlotModeHidden);
    QTRY_COMPARE(button->x() + button->width(), sideRight);
    EXPECT_EQ(side->text(), QStringLiteral("----"));
}

// A cancelled save leaves the slot and the file alone; a save registers the table's file.
TEST_F(ButtonArray, RegisteringBySavingTheTableStoresItsRelativePathAndName)
{
    Window().SetSlotMode(kSlotModeRegister);
    test::WhenModal<QWidget>([](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });
    QTest::mouseClick(Button(kSideButtons[0]), Qt::LeftButton);
    EXPECT_TRUE(Window().buttonFile().buttonSlots[0].path.empty());
    EXPECT_FALSE(std::filesystem::exists(paths.buttonFilePath));
    test::WhenModal<QWidget>([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    QTest::mouseClick(Button(kSideButtons[0]), Qt::LeftButton);
    EXPECT_FALSE(std::filesystem::exists(paths.buttonFilePath));

    host.calls.clear();
    host.saveAs = [this] {
        WriteSettingsFile("saved.ini");
        return SaveAsResult{true, dir.path() / "saved.ini", u"saved.ini", {}};
    };
    test::WhenModal<QWidget>([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("登録方法"));
        EXPECT_TRUE(In<QRadioButton>(dialog, kSaveCurrentTableButton)->isChecked());
        In(dialog, kOkButton)->click();
    });
    QTest::mouseClick(Button(kSideButtons[1]), Qt::LeftButton);
    const ButtonSlot& slot = Window().buttonFile().buttonSlots[1];
    EXPECT_EQ(slot.path, InThePlatformsForm(u"./saved.ini"));
    EXPECT_EQ(slot.text, u"saved.ini");
    EXPECT_EQ(Button(kSlotButtons[1])->text(), QStringLiteral("saved.ini"));
    const std::string stored = kWindowsSeparators ? ".\\saved.ini" : "./saved.ini";
    EXPECT_NE(SavedButtons().find("[GROUPE0_INDEX1]\r\nBUTTON_FILE_PATH=" + stored +
                                  "\r\nBUTTON_TEXT=saved.ini"),
              std::string::npos);
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"reset", "disable others", "save as", "enable others"}));
}

TEST_F(ButtonArray, RegisteringAnExistingFileThroughTheFileDialog)
{
    std::filesystem::create_directory(dir.path() / "tables");
    WriteSettingsFile("tables/chosen.ini");
    Window().SetSlotMode(kSlotModeRegister);
    const QString chosen = QString::fromStdString((dir.path() / "tables/chosen.ini").string());
    test::WhenModal<QWidget>([chosen](QWidget* dialog) {
        In<QRadioButton>(dialog, kExistingFileButton)->setChecked(true);
        test::WhenModal<QWidget>([chosen](QWidget* fileDialog) {
            auto* picker = qobject_cast<QFileDialog*>(fileDialog);
            ASSERT_NE(picker, nullptr);
            EXPECT_EQ(picker->windowTitle(), QStringLiteral("設定ファイル 指定"));
            test::ChooseFileInDialog(picker, chosen);
        });
        In(dialog, kOkButton)->click();
    });
    QTest::mouseClick(Button(kSideButtons[2]), Qt::LeftButton);
    const ButtonSlot& slot = Window().buttonFile().buttonSlots[2];
    EXPECT_EQ(slot.path, InThePlatformsForm(u"./tables/chosen.ini"));
    EXPECT_EQ(slot.text, u"chosen.ini");
}

// Unregistering asks first and is only offered for a bound slot; renaming to nothing shows the
// slot unbound but keeps its file.
TEST_F(ButtonArray, UnregisterAsksFirstForABoundSlotAndRenamingToNothingKeepsTheFile)
{
    Bind(0, 0, u"./a.ini", u"a");
    Window().SetSlotMode(kSlotModeUnregister);
    QTest::mouseClick(Button(kSideButtons[1]), Qt::LeftButton); // slot 1 has no text: nothing asked
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    test::WhenModal<QWidget>([](QWidget* box) {
        auto* message = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(message, nullptr);
        EXPECT_EQ(message->windowTitle(), QStringLiteral("ボタン 解除"));
        EXPECT_EQ(
            message->text(),
            QStringLiteral("ボタン 登録を解除します        \n\n現在の登録  ./a.ini         "));
        message->button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(Button(kSideButtons[0]), Qt::LeftButton);
    EXPECT_EQ(Button(kSlotButtons[0])->text(), QStringLiteral("<未登録>"));
    EXPECT_TRUE(Window().buttonFile().buttonSlots[0].path.empty());
    EXPECT_NE(SavedButtons().find("[GROUPE0_INDEX0]\r\nBUTTON_FILE_PATH=\r\nBUTTON_TEXT=\r\n"),
              std::string::npos);

    Bind(0, 4, u"./e.ini", u"old");
    Window().SetSlotMode(kSlotModeRename);
    test::WhenModal<QWidget>([](QWidget* dialog) {
        auto* edit = In<QLineEdit>(dialog, kButtonNameEdit);
        EXPECT_EQ(edit->text(), QStringLiteral("old"));
        edit->clear();
        In(dialog, kOkButton)->click();
    });
    QTest::mouseClick(Button(kSideButtons[4]), Qt::LeftButton);
    EXPECT_EQ(Button(kSlotButtons[4])->text(), QStringLiteral("<未登録>"));
    EXPECT_EQ(Window().buttonFile().buttonSlots[4].path, u"./e.ini");
}

TEST_F(ButtonArray, SettingsSetTheModeAndRetitleOnlyTheGroupOnShow)
{
    QComboBox* combo = Groups();
    combo->setCurrentIndex(5);
    test::WhenModal<QWidget>([](QWidget* dialog) {
        EXPECT_EQ(In<QLabel>(dialog, kGroupTitleLabel)->text(),
                  QStringLiteral("グループ 6 タイトル"));
        auto* registerBox = In<QCheckBox>(dialog, kRegisterBox);
        auto* renameBox = In<QCheckBox>(dialog, kRenameBox);
        registerBox->click();
        renameBox->click();
        EXPECT_FALSE(registerBox->isChecked());
        In<QLineEdit>(dialog, kGroupTitleEdit)->setText(QStringLiteral("電源"));
        In(dialog, kOkButton)->click();
    });
    Child<QAction>(kSettings)->trigger();
    EXPECT_EQ(Window().slotMode(), kSlotModeRename);
    EXPECT_EQ(combo->itemText(5), QStringLiteral("<6> 電源"));
    EXPECT_EQ(combo->currentIndex(), 5);
    EXPECT_EQ(combo->itemText(4), QStringLiteral("<5> "));
    EXPECT_TRUE(Button(kSideButtons[0])->isVisible());
}

TEST_F(ButtonArray, TheGuardSparesHiddenSideButtonsAndStopFollowsTheRun)
{
    Window().SetSlotMode(kSlotModeRegister);
    Window().EnableButtons(false);
    EXPECT_FALSE(Button(kSlotButtons[0])->isEnabled() || Button(kSideButtons[0])->isEnabled());
    Window().EnableButtons(true);
    EXPECT_TRUE(Button(kSlotButtons[0])->isEnabled() && Button(kSideButtons[0])->isEnabled());
    Window().SetSlotMode(kSlotModeHidden);
    Window().EnableButtons(true);
    EXPECT_FALSE(Button(kSideButtons[0])->isEnabled());

    EXPECT_FALSE(Button(kStopButton)->isEnabled());
    Window().SetStopEnabled(true);
    QTest::mouseClick(Button(kStopButton), Qt::LeftButton);
    EXPECT_EQ(host.calls.back(), "stop");
}

TEST_F(ButtonArray, ClosingHidesAndTheChoicesLastUntilSaved)
{
    Bind(1, 0, u"./b.ini", u"b");
    Groups()->setCurrentIndex(1);
    Window().close();
    EXPECT_FALSE(Window().isVisible());
    ASSERT_TRUE(Window().SaveButtonFile().ok());
    window.reset();
    EXPECT_EQ(Button(kSlotButtons[0])->text(), QStringLiteral("b"));
    EXPECT_EQ(Groups()->currentIndex(), 1);
}

} // namespace
} // namespace wirevane
