#pragma once

#include <QFileDialog>
#include <QLineEdit>
#include <QString>

namespace wirevane::test {

// Chooses a file in a Qt file dialog as a user typing its whole path would, and accepts.
// selectFile() leaves the name field alone while the field has the focus, and whether it has
// it yet depends on when the window was activated: the dialog then took its folder as the
// choice and stayed open, and the test hung in exec().
inline void ChooseFileInDialog(QFileDialog* dialog, const QString& path)
{
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        name->setText(path);
    else
        dialog->selectFile(path);
    // QFileDialog::accept is protected; QDialog's public slot runs it.
    static_cast<QDialog*>(dialog)->accept();
}

} // namespace wirevane::test
