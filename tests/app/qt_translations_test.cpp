#include "app/qt_translations.h"
#include "terminal/comm_edit.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

namespace wirevane {
namespace {

// The texts Qt draws itself: the standard buttons of every message box and the record's
// context menu, which the program takes from Qt rather than writing its own.
TEST(QtTranslations, StandardButtonsAndTheRecordMenuReadInJapanese)
{
    ASSERT_TRUE(InstallQtTranslations(*qApp)) << "qtbase_ja.qm of qt6-translations-l10n";

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

    // Other tests of this program expect Qt's own English texts.
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

} // namespace
} // namespace wirevane
