#pragma once

#include <QFont>
#include <QObject>
#include <QSizeF>
#include <QStaticText>
#include <QTextFormat>
#include <QTextObjectInterface>
#include <array>

namespace wirevane {

// Draws a control character of the record as its short name in a small, dimmed frame. Fonts
// seldom carry the Unicode control pictures, and a missing glyph would show as a box; this
// mark needs only Latin letters. The character itself is kept in the format, so copying gives
// back the byte that came.
class ControlMark : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    static constexpr int kObjectType = QTextFormat::UserObject + 17;
    static constexpr int kControlProperty = QTextFormat::UserProperty + 17;

    static QTextCharFormat Format(char16_t control);
    // The control character an object character of the view stands for, or 0.
    static char16_t ControlOf(const QTextFormat& format);

    explicit ControlMark(QObject* parent) : QObject(parent) {}

    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;

private:
    // Layout asks for the size of every mark of every block it lays out, and a paint draws every
    // mark in sight; font metrics and a laid-out label are too dear to build per mark, so sizes,
    // labels and the small font are kept for the document's current font.
    void FollowFont(const QTextDocument* document);
    static std::size_t IndexOf(char16_t control);

    static constexpr std::size_t kControlCount = 32;

    QFont m_sizedFor;
    QFont m_markFont;
    std::array<QSizeF, kControlCount> m_sizes{};
    std::array<QStaticText, kControlCount> m_labels;
};

} // namespace wirevane
