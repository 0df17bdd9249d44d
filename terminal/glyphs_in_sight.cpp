#include "terminal/glyphs_in_sight.h"

#include <QTextLayout>
#include <algorithm>

namespace wirevane {

class GlyphsInSight::Keeper final : public QTextBlockUserData {
public:
    Keeper(std::set<Keeper*>& kept, const QTextBlock& line) : m_kept(kept), m_line(line)
    {
        m_kept.insert(this);
    }
    ~Keeper() override { m_kept.erase(this); }
    Keeper(const Keeper&) = delete;
    Keeper& operator=(const Keeper&) = delete;

    QTextBlock line() const { return m_line; }

private:
    std::set<Keeper*>& m_kept;
    QTextBlock m_line;
};

GlyphsInSight::~GlyphsInSight()
{
    // The document may outlive this: its lines must not keep keepers that point here.
    while (!m_kept.empty())
        (*m_kept.begin())->line().setUserData(nullptr);
}

void GlyphsInSight::KeepOnly(const std::vector<QTextBlock>& inSight)
{
    std::vector<QTextBlock> leaving;
    for (Keeper* keeper : m_kept) {
        if (std::find(inSight.begin(), inSight.end(), keeper->line()) == inSight.end())
            leaving.push_back(keeper->line());
    }
    for (const QTextBlock& line : leaving)
        LetGo(line);
    for (QTextBlock line : inSight) {
        if (!line.isValid() || line.userData() != nullptr)
            continue;
        line.setUserData(new Keeper(m_kept, line));
        line.layout()->setCacheEnabled(true);
    }
}

// Laying the line out once more without its cache is what frees the glyphs; a line out of
// sight is not drawn again, so a draw would never do it. The change marked is the line's first
// character: one that reached into the next line would only clear both layouts, which keeps the
// glyphs until each line is laid out again. An empty line has no glyphs.
void GlyphsInSight::LetGo(QTextBlock line)
{
    line.setUserData(nullptr);
    line.layout()->setCacheEnabled(false);
    if (line.length() > 1)
        m_document.markContentsDirty(line.position(), 1);
}

} // namespace wirevane
