#include "app/about_dlg.h"

#include "app/app_icons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace wirevane {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("バージョン情報 Wirevane"));
    auto* icon = new QLabel;
    icon->setPixmap(MainIcon().pixmap(48, 48));
    auto* text = new QVBoxLayout;
    text->addWidget(new QLabel(QStringLiteral("Wirevane, Version 1.0")));
    text->addWidget(new QLabel(tr("シリアルポート送信シーケンサ")));
    text->addWidget(new QLabel(QString::fromUtf16(u"Qt ") + QString::fromLatin1(qVersion())));
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

} // namespace wirevane
