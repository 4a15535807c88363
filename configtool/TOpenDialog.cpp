#include "TOpenDialog.h"

#include "FileDialogFilter.h"

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
    return FileDialogFilter::nameFilters(m_filter).join(QStringLiteral(";;"));
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
