#include "app/interface_language.h"
#include "app/wirevane_dlg.h"
#include "buttons/dialog_button_array.h"
#include "persistence/profile_files.h"
#include "persistence/profile_store.h"
#include "terminal/dialog_terminal.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>
#include <exception>

namespace {

bool Save(const QPixmap& picture, const QString& folder, const char* name)
{
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    if (picture.save(path))
        return true;
    std::fprintf(stderr, "wirevane-shot: cannot write %s\n", qPrintable(path));
    return false;
}

// The three windows as they lie on a desktop, each drawn at its place under a plain title bar
// (offscreen windows have no frame of their own), over a plain background.
QPixmap Desktop(const std::vector<QWidget*>& windows)
{
    constexpr int kTitleHeight = 24;
    QRect bounds;
    for (QWidget* window : windows)
        bounds |= window->geometry().adjusted(0, -kTitleHeight, 0, 0);
    bounds.adjust(-16, -16, 16, 16);
    QPixmap picture(bounds.size());
    picture.fill(QColor(58, 92, 120));
    QPainter painter(&picture);
    for (QWidget* window : windows) {
        const QRect place = window->geometry().translated(-bounds.topLeft());
        const QRect title(place.left(), place.top() - kTitleHeight, place.width(), kTitleHeight);
        painter.fillRect(place.united(title).adjusted(3, 3, 3, 3), QColor(0, 0, 0, 70));
        painter.fillRect(title, QColor(52, 58, 70));
        painter.setPen(Qt::white);
        painter.drawText(title.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         window->windowTitle());
        painter.drawPixmap(place.topLeft(), window->grab());
        painter.setPen(QColor(40, 40, 40));
        painter.drawRect(place.united(title).adjusted(0, 0, -1, -1));
    }
    return picture;
}

// The terminal shows appended text at its next frame; a grab before that has an empty text area.
void WaitForTheTerminalsFrame(wirevane::CDialogTerminal& terminal)
{
    while (terminal.edit().HasPendingText())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
}

// A device that ends its answers with a lone CR, under "受信 変換無": the typed commands come
// back as lines (local echo sends CR LF for Enter), the answers run on with a mark for each CR.
QPixmap LoneCrDevice(wirevane::CDialogTerminal& terminal)
{
    terminal.ClearText();
    terminal.AppendText(u"*IDN?\r\n");
    terminal.AppendText(u"WIREVANE,SIM,0,1.0\r");
    terminal.AppendText(u"MEAS:VOLT:DC?\r\n");
    terminal.AppendText(u"+1.23456E+00\r");
    terminal.AppendText(u"STATUS?\r\n");
    terminal.AppendText(u"OK\rOK\rテスト\r");
    WaitForTheTerminalsFrame(terminal);
    return terminal.grab();
}

// A device that ends its lines with LF, under "受信 変換無": one endless line, shown in display
// pieces one under the other, each LF as a mark.
QPixmap LongLine(wirevane::CDialogTerminal& terminal)
{
    terminal.ClearText();
    std::u16string line;
    for (int i = 0; line.size() < 9000; ++i)
        line += u"VALUE=" + QString::number(1000 + i).toStdU16String() + u"\n";
    terminal.AppendText(line);
    WaitForTheTerminalsFrame(terminal);
    // The start of each piece, where a reader looks first.
    terminal.edit().horizontalScrollBar()->setValue(0);
    return terminal.grab();
}

} // namespace

// wirevane-shot FOLDER: main-window.png and all-windows.png of a sample session, and two
// pictures of the terminal (terminal-lone-cr.png, terminal-long-line.png), drawn without a
// display, in the language the program would speak under the same locale. In English only the
// first two are drawn, named main-window-en.png and all-windows-en.png.
namespace {

int Shoot(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: wirevane-shot FOLDER\n", stderr);
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    const wirevane::InterfaceTranslation translation(wirevane::ResolveInterfaceLanguage(
        wirevane::LanguageChoice::FollowDesktop, QLocale::system().uiLanguages().value(0)));
    const bool english = translation.language() == wirevane::InterfaceLanguage::English;

    // A program folder of its own, so the sample never touches anyone's settings.
    QTemporaryDir folder;
    const std::filesystem::path dir = QDir(folder.path()).absolutePath().toStdU16String();
    const wirevane::ProgramPaths paths = wirevane::ProgramPathsIn(dir);
    wirevane::DiskProfileFiles files;
    wirevane::ProfileStore store(paths.settingsPath, files);
    wirevane::CWirevaneDlg window(store, paths, [] { return std::vector<wirevane::PortChoice>{}; });
    if (!window.OnInitDialog())
        return 1;

    const struct {
        int row;
        const char16_t* data;
        wirevane::WaitKind wait;
        int32_t halt;
        int32_t delay;
    } sample[] = {{0, u"*IDN?", wirevane::WaitKind::Cr, 0, 100},
                  {1, u"CONF:VOLT:DC 10", wirevane::WaitKind::None, 0, 50},
                  {2, u"MEAS:VOLT:DC?", wirevane::WaitKind::Cr, 0, 200},
                  {3, u"表示 テスト\\x41", wirevane::WaitKind::None, 0, 100},
                  {4, u"\\x02STATUS\\x03", wirevane::WaitKind::Any, 0, 0},
                  {5, u"SYST:ERR?", wirevane::WaitKind::Cr, 1, 100}};
    for (const auto& row : sample)
        window.table().rows()[static_cast<std::size_t>(row.row)] =
            wirevane::SendRow{1, row.data, row.wait, row.halt, row.delay};
    window.table().RewriteFromRows();
    window.table().SetRowImage(0, wirevane::kRowImageSent);
    window.table().SetRowImage(1, wirevane::kRowImageSent);
    window.table().SetRowImage(2, wirevane::kRowImageWaiting);
    window.table().SetRowStatus(2, u"送信済 受信待");
    window.terminal().AppendText(u"*IDN?\r\nWIREVANE,SIM,0,1.0\r\nCONF:VOLT:DC 10\r\n"
                                 u"MEAS:VOLT:DC?\r\n+1.23456E+00\r\n表示 テストA\r\n");
    window.setGeometry(40, 70, 820, 560);
    window.terminal().setGeometry(500, 400, 640, 320);
    window.buttonArray().setGeometry(900, 40, 280, 560);
    WaitForTheTerminalsFrame(window.terminal());

    const QString folderName = QString::fromLocal8Bit(argv[1]);
    bool saved =
        Save(window.grab(), folderName, english ? "main-window-en.png" : "main-window.png") &&
        Save(Desktop({&window.buttonArray(), &window, &window.terminal()}), folderName,
             english ? "all-windows-en.png" : "all-windows.png");
    if (english)
        return saved ? 0 : 1;
    window.terminal().resize(640, 320);
    saved = saved && Save(LoneCrDevice(window.terminal()), folderName, "terminal-lone-cr.png") &&
            Save(LongLine(window.terminal()), folderName, "terminal-long-line.png");
    return saved ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Shoot(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "wirevane-shot: %s\n", error.what());
        return 1;
    }
}
