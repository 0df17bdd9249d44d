#pragma once

#include <QFont>
#include <QObject>
#include <QSizeF>
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
    // Layout asks for the size of every mark of every block it lays out; font metrics are too
    // dear to build per mark, so the sizes are kept for the document's current font.
    const QSizeF& SizeOf(const QTextDocument* document, char16_t control);

    QFont m_sizedFor;
    std::array<QSizeF, 32> m_sizes{};
};

} // namespace wirevane
