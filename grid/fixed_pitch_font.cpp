#include "grid/fixed_pitch_font.h"

#include "platform/fixed_pitch_faces.h"

#include <QCoreApplication>
#include <QStringList>

namespace wirevane {

namespace {

// The translation tells which faces its language wants, as Qt's own layout direction does: the
// source text stands for the Japanese faces, a translation for the Latin ones.
bool JapaneseFaces()
{
    static constexpr const char* kJapanese = QT_TRANSLATE_NOOP("FixedPitchFont", "日本語の字形");
    return QCoreApplication::translate("FixedPitchFont", kJapanese) == QString::fromUtf8(kJapanese);
}

} // namespace

QFont FixedPitchFont(int pixelHeight)
{
    QStringList faces{QStringLiteral("Courier New")};
    if (!JapaneseFaces()) {
        faces.clear();
        for (const char* face : platform::LatinFixedPitchFaces())
            faces << QString::fromLatin1(face);
    }
    QFont font;
    font.setFamilies(faces);
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace wirevane
