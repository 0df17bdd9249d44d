#include "support/widgets/shown_text.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QTreeView>

namespace wirevane::test {

namespace {

QString Name(const QObject& object)
{
    return QString::fromLatin1(object.metaObject()->className()) + QLatin1Char(' ') +
           object.objectName();
}

void Add(QList<ShownText>& texts, const QString& where, const QString& text)
{
    if (!text.isEmpty())
        texts.append({where, text});
}

void AddActions(QList<ShownText>& texts, const QList<QAction*>& actions)
{
    for (QAction* action : actions) {
        Add(texts, QStringLiteral("action ") + action->objectName(), action->text());
        Add(texts, QStringLiteral("action tooltip ") + action->objectName(),
            action->toolTip() == action->text().remove(QLatin1Char('&')) ? QString()
                                                                         : action->toolTip());
        if (QMenu* menu = action->menu())
            AddActions(texts, menu->actions());
    }
}

void AddHeader(QList<ShownText>& texts, const QAbstractItemModel& model, const QString& where)
{
    for (int column = 0; column < model.columnCount(); ++column) {
        Add(texts, where, model.headerData(column, Qt::Horizontal).toString());
        Add(texts, where + QStringLiteral(" tooltip"),
            QTextDocumentFragment::fromHtml(
                model.headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString())
                .toPlainText());
    }
}

// What the cells of the columns in sight show; a hidden column's texts are not shown.
void AddCells(QList<ShownText>& texts, const QAbstractItemView& view, const QString& where)
{
    const QAbstractItemModel& model = *view.model();
    const auto* tree = qobject_cast<const QTreeView*>(&view);
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column) {
            if (tree != nullptr && tree->isColumnHidden(column))
                continue;
            Add(texts, where + QStringLiteral(" %1,%2").arg(row).arg(column),
                model.index(row, column).data(Qt::DisplayRole).toString());
        }
    }
}

} // namespace

QList<ShownText> CollectShownText(QWidget& root)
{
    QList<ShownText> texts;
    QList<QWidget*> widgets = root.findChildren<QWidget*>();
    widgets.prepend(&root);
    for (QWidget* widget : widgets) {
        const QString where = Name(*widget);
        if (widget->isWindow())
            Add(texts, where + QStringLiteral(" title"), widget->windowTitle());
        Add(texts, where + QStringLiteral(" tooltip"),
            QTextDocumentFragment::fromHtml(widget->toolTip()).toPlainText());
        AddActions(texts, widget->actions());
        if (auto* label = qobject_cast<QLabel*>(widget))
            Add(texts, where, QTextDocumentFragment::fromHtml(label->text()).toPlainText());
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            Add(texts, where, button->text());
        else if (auto* box = qobject_cast<QGroupBox*>(widget))
            Add(texts, where, box->title());
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            Add(texts, where, edit->placeholderText());
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i) {
                Add(texts, where, combo->itemText(i));
                Add(texts, where + QStringLiteral(" item tooltip"),
                    combo->itemData(i, Qt::ToolTipRole).toString());
            }
        }
        if (auto* tabs = qobject_cast<QTabWidget*>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                Add(texts, where, tabs->tabText(i));
        if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model()) {
            AddHeader(texts, *view->model(), where + QStringLiteral(" header"));
            AddCells(texts, *view, where + QStringLiteral(" cell"));
        }
    }
    return texts;
}

bool HasJapanese(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool kana = u >= 0x3040 && u <= 0x30FF;
        const bool kanji = u >= 0x4E00 && u <= 0x9FFF;
        const bool punctuation = u >= 0x3000 && u <= 0x303F;
        const bool widthForms = u >= 0xFF00 && u <= 0xFFEF;
        if (kana || kanji || punctuation || widthForms)
            return true;
    }
    return false;
}

QString DescribeJapanese(const QList<ShownText>& texts)
{
    QString lines;
    for (const ShownText& shown : texts)
        if (HasJapanese(shown.text))
            lines += shown.where + QStringLiteral(": ") + shown.text + QLatin1Char('\n');
    return lines;
}

} // namespace wirevane::test
