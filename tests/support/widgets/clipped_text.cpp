#include "support/widgets/clipped_text.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTableView>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QTreeView>
#include <QtMath>
#include <algorithm>

namespace wirevane::test {

namespace {

// Buttons show "&&" as "&" and drop a lone "&", which only marks the shortcut.
QString WithoutMnemonics(const QString& text)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

int WidestLine(const QFontMetrics& metrics, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

void Check(QList<ClippedText>& clipped, QWidget* widget, const QString& text, int needed,
           int available)
{
    if (needed > available)
        clipped.append({widget, text, needed, available});
}

void CheckLabel(QList<ClippedText>& clipped, QLabel* label)
{
    QString text = label->text();
    if (label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text)))
        text = QTextDocumentFragment::fromHtml(text).toPlainText();
    if (text.isEmpty())
        return;
    // The label draws inside its contents rect, less its own margin on each side.
    const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                      -label->margin(), -label->margin());
    if (label->wordWrap()) {
        // Wrapped text can take any width; what must fit is the height it then needs.
        QTextDocument document;
        document.setDefaultFont(label->font());
        document.setDocumentMargin(0);
        document.setPlainText(text);
        document.setTextWidth(room.width());
        Check(clipped, label, text, qCeil(document.size().height()), room.height());
        Check(clipped, label, text, qCeil(document.idealWidth()), room.width());
        return;
    }
    Check(clipped, label, text, WidestLine(label->fontMetrics(), text), room.width());
}

int IconRoom(const QAbstractButton* button)
{
    return button->icon().isNull() ? 0 : button->iconSize().width() + 4;
}

void CheckButton(QList<ClippedText>& clipped, QAbstractButton* button)
{
    const QString text = WithoutMnemonics(button->text());
    if (text.isEmpty())
        return;
    const int needed = WidestLine(button->fontMetrics(), text) + IconRoom(button);
    QStyle* style = button->style();
    // Each kind of button draws its text in the part of it the style leaves for the label.
    if (auto* push = qobject_cast<QPushButton*>(button)) {
        QStyleOptionButton option;
        option.initFrom(push);
        if (push->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        const QRect room = style->subElementRect(QStyle::SE_PushButtonContents, &option, push);
        Check(clipped, button, text, needed, room.width());
    } else if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const auto element = qobject_cast<QCheckBox*>(button) ? QStyle::SE_CheckBoxContents
                                                              : QStyle::SE_RadioButtonContents;
        const QRect room = style->subElementRect(element, &option, button);
        Check(clipped, button, text, needed, room.width());
    } else if (auto* tool = qobject_cast<QToolButton*>(button)) {
        // An icon-only tool button shows its text as a tooltip, unless it has no icon.
        if (tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull())
            return;
        Check(clipped, button, text, tool->sizeHint().width(), tool->width());
    }
}

void CheckCombo(QList<ClippedText>& clipped, QComboBox* combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    // The label is drawn one pixel in from each side of the edit field.
    const int available = field.width() - 2;
    for (int i = 0; i < combo->count(); ++i) {
        const QString text = combo->itemText(i);
        const int icon = combo->itemIcon(i).isNull() ? 0 : combo->iconSize().width() + 4;
        Check(clipped, combo, text, combo->fontMetrics().horizontalAdvance(text) + icon, available);
    }
}

bool ColumnHidden(const QAbstractItemView& view, int column)
{
    if (auto* tree = qobject_cast<const QTreeView*>(&view))
        return tree->isColumnHidden(column);
    if (auto* table = qobject_cast<const QTableView*>(&view))
        return table->isColumnHidden(column);
    return false;
}

// The cells in sight: each text must fit its cell less the icon in front of it and the two
// pixels a delegate keeps on each side.
void CheckCells(QList<ClippedText>& clipped, QAbstractItemView* view)
{
    const QAbstractItemModel* model = view->model();
    if (model == nullptr)
        return;
    const int iconSide = view->iconSize().isValid() ? view->iconSize().width() : 16;
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            const QRect cell = view->visualRect(index);
            if (ColumnHidden(*view, column) || !cell.intersects(view->viewport()->rect()))
                continue;
            const QString text = index.data(Qt::DisplayRole).toString();
            if (text.trimmed().isEmpty())
                continue;
            const bool hasIcon = !index.data(Qt::DecorationRole).value<QIcon>().isNull();
            const QVariant font = index.data(Qt::FontRole);
            const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : view->font());
            Check(clipped, view, text, metrics.horizontalAdvance(text),
                  cell.width() - (hasIcon ? iconSide + 4 : 0) - 4);
        }
    }
}

// A text the program shortened itself must be readable whole where the pointer rests.
void CheckShortened(QList<ClippedText>& clipped, QWidget* widget, const QString& text)
{
    if (text.endsWith(QChar(0x2026)) && widget->toolTip().isEmpty())
        clipped.append({widget, text, 0, 0});
}

void CheckOne(QList<ClippedText>& clipped, QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        CheckLabel(clipped, label);
        CheckShortened(clipped, widget, label->text());
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        CheckButton(clipped, button);
        CheckShortened(clipped, widget, button->text());
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        CheckCombo(clipped, combo);
    } else if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
        CheckCells(clipped, view);
    }
}

} // namespace

QList<ClippedText> FindClippedText(QWidget& root)
{
    QList<ClippedText> clipped;
    if (!root.isVisible())
        return clipped;
    CheckOne(clipped, &root);
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        // Windows of their own (menus, popups, other dialogs) are walked when they are shown.
        if (widget->isWindow() || !widget->isVisibleTo(&root))
            continue;
        CheckOne(clipped, widget);
    }
    return clipped;
}

QString Describe(const QList<ClippedText>& clipped)
{
    QStringList lines;
    for (const ClippedText& cut : clipped) {
        QWidget* widget = cut.widget.data();
        const QString where =
            widget == nullptr
                ? QStringLiteral("(gone)")
                : QStringLiteral("%1 '%2' in %3")
                      .arg(QString::fromLatin1(widget->metaObject()->className()),
                           widget->objectName(),
                           QString::fromLatin1(widget->window()->metaObject()->className()));
        if (cut.needed == 0 && cut.available == 0)
            lines << QStringLiteral("%1: \"%2\" shortened, with no tooltip").arg(where, cut.text);
        else
            lines << QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                         .arg(where, cut.text)
                         .arg(cut.needed)
                         .arg(cut.available);
    }
    return lines.join(u'\n');
}

} // namespace wirevane::test
