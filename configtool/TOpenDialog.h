#pragma once

#include <QString>
#include <functional>

class QWidget;

// An open-file dialog as the pages describe it: a filter of "text|pattern"
// pairs and a default extension. execute() shows the real file dialog unless
// a chooser is installed (tests do, so nothing modal blocks them).
class TOpenDialog
{
public:
    // Returns the chosen file, or an empty text for Cancel.
    using Chooser = std::function<QString(const TOpenDialog &dialog)>;

    TOpenDialog(QWidget *owner, const QString &filter, const QString &defaultExt);

    // True on OK; fileName() is then the chosen file's full path.
    bool execute();
    QString fileName() const { return m_fileName; }

    QString filter() const { return m_filter; }
    QString defaultExt() const { return m_defaultExt; }
    // The filter in the file dialog's own form ("text;;text").
    QString dialogFilter() const;

    // Installs a chooser for every dialog (an empty one restores the real dialog).
    static void setChooser(Chooser chooser);

private:
    QWidget *m_owner;
    QString m_filter;
    QString m_defaultExt;
    QString m_fileName;
};
