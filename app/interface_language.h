#pragma once

#include <QString>
#include <QTranslator>
#include <string>
#include <string_view>

class QCoreApplication;

namespace wirevane {

// The language the windows speak: fixed by the user, or the desktop's.
enum class LanguageChoice { FollowDesktop, Japanese, English };
enum class InterfaceLanguage { Japanese, English };

// The stored form of a choice ("ja", "en"); following the desktop is the default and is stored
// as no value at all. A value this program does not know reads as the default, so a file from a
// later version does not leave the user with no interface.
LanguageChoice ParseLanguageChoice(std::u16string_view stored);
std::u16string StoredLanguageChoice(LanguageChoice choice);

// Where the build puts the program's English texts.
inline constexpr char kEnglishTranslationResource[] = ":/translations/wirevane_en.qm";

// Japanese for a Japanese desktop ("ja", "ja_JP", "ja-JP"), English for every other one.
InterfaceLanguage ResolveInterfaceLanguage(LanguageChoice choice, const QString& desktopLocale);

// The translators of one interface language, installed in the application while the object
// lives. The program's texts are written in Japanese, so Japanese needs only Qt's own texts
// (standard buttons, file and font dialogs) and English needs only the program's translation.
class InterfaceTranslation {
public:
    explicit InterfaceTranslation(InterfaceLanguage language);
    ~InterfaceTranslation();
    InterfaceTranslation(const InterfaceTranslation&) = delete;
    InterfaceTranslation& operator=(const InterfaceTranslation&) = delete;

    InterfaceLanguage language() const { return m_language; }
    // False when the translation could not be loaded (Qt's Japanese texts not installed); the
    // windows then show that part untranslated.
    bool complete() const { return m_complete; }

private:
    InterfaceLanguage m_language;
    QTranslator m_translator;
    bool m_installed = false;
    bool m_complete = false;
};

} // namespace wirevane
