#include "app/command_ids.h"
#include "app/file_reports.h"
#include "app/interface_language.h"
#include "app/wirevane_dlg.h"
#include "persistence/settings_keys.h"

#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

namespace wirevane {

namespace {

constexpr struct {
    int id;
    LanguageChoice choice;
} kLanguageItems[] = {{command::kLanguageDesktop, LanguageChoice::FollowDesktop},
                      {command::kLanguageJapanese, LanguageChoice::Japanese},
                      {command::kLanguageEnglish, LanguageChoice::English}};

// The user reads the notice in the language just chosen, which is not yet the windows' one.
QString LanguageNotice(LanguageChoice chosen)
{
    static constexpr const char* kNotice =
        QT_TRANSLATE_NOOP("wirevane::CWirevaneDlg", "表示の言語は次に起動したときから変わります。");
    const InterfaceLanguage language =
        ResolveInterfaceLanguage(chosen, QLocale::system().uiLanguages().value(0));
    if (language == InterfaceLanguage::Japanese)
        return QString::fromUtf8(kNotice);
    QTranslator english;
    const QString translated = english.load(QString::fromLatin1(kEnglishTranslationResource))
                                   ? english.translate("wirevane::CWirevaneDlg", kNotice)
                                   : QString();
    return translated.isEmpty() ? QString::fromUtf8(kNotice) : translated;
}

} // namespace

void CWirevaneDlg::ShowLanguageChoice()
{
    const LanguageChoice stored = ParseLanguageChoice(
        m_store.readString(settings_keys::kWirevane, settings_keys::kLanguage, u""));
    for (const auto& item : kLanguageItems)
        m_commands.setChecked(item.id, item.choice == stored);
}

void CWirevaneDlg::OnLanguage(int id)
{
    LanguageChoice chosen = LanguageChoice::FollowDesktop;
    for (const auto& item : kLanguageItems) {
        if (item.id == id)
            chosen = item.choice;
    }
    // The default is not written, so a file whose user never chose stays as it was, and a choice
    // taken back removes the key (and a section it leaves empty) to give that file back.
    if (ParseLanguageChoice(m_store.readString(settings_keys::kWirevane, settings_keys::kLanguage,
                                               u"")) == chosen) {
        ShowLanguageChoice();
        return;
    }
    const platform::FileError written =
        chosen == LanguageChoice::FollowDesktop
            ? m_store.deleteKey(settings_keys::kWirevane, settings_keys::kLanguage)
            : m_store.writeString(settings_keys::kWirevane, settings_keys::kLanguage,
                                  StoredLanguageChoice(chosen));
    ShowLanguageChoice();
    if (!written.ok()) {
        ShowSaveFailure(this, m_store.settingsPath(), written);
        return;
    }
    // Every window reads its texts once, as it is built; switching them all while a run or a
    // dialog is open is not worth the risk of a half-translated window.
    QMessageBox::information(this, QStringLiteral("Wirevane"), LanguageNotice(chosen));
}

} // namespace wirevane
