#include "TOpenDialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {
TOpenDialog::Chooser &chooser()
{
    static TOpenDialog::Chooser c;
    return c;
}
} // namespace

TOpenDialog::TOpenDialog(QWidget *owner, const QString &filter, const QString &defaultExt)
    : m_owner(owner), m_filter(filter), m_defaultExt(defaultExt)
{
}

void TOpenDialog::setChooser(Chooser c)
{
    chooser() = std::move(c);
}

QString TOpenDialog::dialogFilter() const
{
    // The descriptions carry their patterns in parentheses, which is all the
    // file dialog needs.
    const QStringList parts = m_filter.split(QLatin1Char('|'));
    QStringList descriptions;
    for (int i = 0; i < parts.size(); i += 2)
        descriptions << parts.at(i);
    return descriptions.join(QStringLiteral(";;"));
}

bool TOpenDialog::execute()
{
    QString chosen;
    if (chooser()) {
        chosen = chooser()(*this);
    } else {
        QFileDialog dialog(m_owner);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(dialogFilter());
        QString suffix = m_defaultExt;
        if (suffix.startsWith(QLatin1Char('.')))
            suffix.remove(0, 1);
        dialog.setDefaultSuffix(suffix);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().constFirst();
    }
    if (chosen.isEmpty())
        return false;
    m_fileName = QFileInfo(chosen).absoluteFilePath();
    return true;
}
