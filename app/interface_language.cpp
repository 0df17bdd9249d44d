#include "app/interface_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace wirevane {

namespace {

constexpr std::u16string_view kStoredJapanese = u"ja";
constexpr std::u16string_view kStoredEnglish = u"en";

} // namespace

LanguageChoice ParseLanguageChoice(std::u16string_view stored)
{
    if (stored == kStoredJapanese)
        return LanguageChoice::Japanese;
    if (stored == kStoredEnglish)
        return LanguageChoice::English;
    return LanguageChoice::FollowDesktop;
}

std::u16string StoredLanguageChoice(LanguageChoice choice)
{
    switch (choice) {
    case LanguageChoice::Japanese:
        return std::u16string(kStoredJapanese);
    case LanguageChoice::English:
        return std::u16string(kStoredEnglish);
    case LanguageChoice::FollowDesktop:
        break;
    }
    return {};
}

InterfaceLanguage ResolveInterfaceLanguage(LanguageChoice choice, const QString& desktopLocale)
{
    switch (choice) {
    case LanguageChoice::Japanese:
        return InterfaceLanguage::Japanese;
    case LanguageChoice::English:
        return InterfaceLanguage::English;
    case LanguageChoice::FollowDesktop:
        break;
    }
    const bool japanese = desktopLocale.compare(QStringLiteral("ja"), Qt::CaseInsensitive) == 0 ||
                          desktopLocale.startsWith(QStringLiteral("ja_"), Qt::CaseInsensitive) ||
                          desktopLocale.startsWith(QStringLiteral("ja-"), Qt::CaseInsensitive);
    return japanese ? InterfaceLanguage::Japanese : InterfaceLanguage::English;
}

InterfaceTranslation::InterfaceTranslation(InterfaceLanguage language) : m_language(language)
{
    m_complete = language == InterfaceLanguage::English
                     ? m_translator.load(QString::fromLatin1(kEnglishTranslationResource))
                     : m_translator.load(QStringLiteral("qtbase_ja"),
                                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (m_complete)
        m_installed = QCoreApplication::installTranslator(&m_translator);
}

InterfaceTranslation::~InterfaceTranslation()
{
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
}

} // namespace wirevane
