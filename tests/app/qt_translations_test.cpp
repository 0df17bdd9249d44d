#include "app/interface_language.h"
#include "terminal/comm_edit.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace wirevane {
namespace {

// The texts Qt draws itself: the standard buttons of every message box and the record's
// context menu, which the program takes from Qt rather than writing its own.
TEST(QtTranslations, StandardButtonsAndTheRecordMenuReadInJapanese)
{
    // The Japanese interface takes Qt's own texts from Qt's translation; the object removes it
    // again, since other tests of this program expect Qt's English texts.
    const InterfaceTranslation japanese(InterfaceLanguage::Japanese);
    ASSERT_TRUE(japanese.complete()) << "qtbase_ja.qm of qt6-translations-l10n";

    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));

    CCommEdit edit;
    edit.setPlainText(QStringLiteral("text"));
    edit.selectAll();
    const std::unique_ptr<QMenu> menu(edit.CreateContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            texts << action->text();
    EXPECT_TRUE(texts.filter(QStringLiteral("コピー")).size() == 1)
        << texts.join(u',').toStdString();
    EXPECT_TRUE(texts.filter(QStringLiteral("すべてを選択")).size() == 1)
        << texts.join(u',').toStdString();
}

} // namespace
} // namespace wirevane
