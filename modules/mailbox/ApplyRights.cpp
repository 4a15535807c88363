#include "ApplyRights.h"

#include <QAbstractButton>
#include <QMetaProperty>
#include <QStringList>
#include <QWidget>

namespace zaskar {

namespace {

bool sameIgnoringAsciiCase(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        ushort x = a.at(i).unicode(), y = b.at(i).unicode();
        if (x >= 'A' && x <= 'Z')
            x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z')
            y += 'a' - 'A';
        if (x != y)
            return false;
    }
    return true;
}

QObject *findComponent(QWidget *form, const QString &name)
{
    const QList<QObject *> all = form->findChildren<QObject *>();
    for (QObject *o : all) {
        if (sameIgnoringAsciiCase(o->objectName(), name))
            return o;
    }
    return nullptr;
}

// The caption of a control is whichever text it shows: buttons and labels
// have "text", group boxes "title"; anything else keeps it as its title.
void setCaption(QWidget *control, const QString &caption)
{
    const QMetaObject *mo = control->metaObject();
    for (const char *prop : {"text", "title"}) {
        const int i = mo->indexOfProperty(prop);
        if (i >= 0 && mo->property(i).isWritable()) {
            control->setProperty(prop, caption);
            return;
        }
    }
    control->setWindowTitle(caption);
}

} // namespace

void ApplyRights(const QStringList *rights, QWidget *form)
{
    if (!rights || !form)
        return;
    for (const QString &entry : *rights) {
        const QString value = entry.mid(entry.indexOf(QLatin1Char('=')) + 1);
        const int comma = value.indexOf(QLatin1Char(','));
        if (comma <= 0)
            continue;
        const QString name = value.left(comma);
        const QString caption = value.mid(comma + 1);
        auto control = qobject_cast<QWidget *>(findComponent(form, name));
        if (!control)
            continue;
        if (!caption.isEmpty())
            setCaption(control, caption);
        control->setVisible(true);
    }
}

} // namespace zaskar
