#pragma once

#include <QTextBlock>
#include <QTextDocument>
#include <set>
#include <vector>

namespace wirevane {

// Keeps the shaped glyphs of the lines a text view shows. A Qt text layout lets its glyphs go
// once it is laid out or drawn, so every frame shaped each line in sight again: with a device
// that ends its answers with CR alone, each line is a whole display piece of text and marks,
// and shaping them took most of the terminal's frame. A line that leaves the view lets its
// glyphs go again, so what is kept stays about a screenful however long the text grows.
class GlyphsInSight {
public:
    explicit GlyphsInSight(QTextDocument& document) : m_document(document) {}
    ~GlyphsInSight();
    GlyphsInSight(const GlyphsInSight&) = delete;
    GlyphsInSight& operator=(const GlyphsInSight&) = delete;

    // These lines keep their glyphs from now on; every other line that kept them lets them go.
    void KeepOnly(const std::vector<QTextBlock>& inSight);

private:
    class Keeper;
    void LetGo(QTextBlock line);

    QTextDocument& m_document;
    // Each kept line carries a Keeper as its block's user data; the document deletes it with
    // the line, whatever removes the line, and the keeper then leaves this set.
    std::set<Keeper*> m_kept;
};

} // namespace wirevane
