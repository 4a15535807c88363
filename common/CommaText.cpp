#include "CommaText.h"

namespace CommaText {

namespace {
const QChar Quote = QLatin1Char('"');
const QChar Delimiter = QLatin1Char(',');

bool isBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}
} // namespace

QStringList split(const QString &text)
{
    QStringList items;
    const int nul = text.indexOf(QChar(0));
    const int n = nul < 0 ? text.size() : nul;
    int p = 0;
    auto at = [&](int i) { return i < n ? text.at(i) : QChar(0); };

    while (p < n && isBlank(at(p)))
        ++p;
    while (p < n) {
        QString item;
        if (at(p) == Quote) {
            ++p;
            while (p < n) {
                if (at(p) == Quote) {
                    if (at(p + 1) == Quote) {
                        item += Quote;
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += at(p++);
            }
        } else {
            const int start = p;
            while (p < n && !isBlank(at(p)) && at(p) != Delimiter)
                ++p;
            item = text.mid(start, p - start);
        }
        items.append(item);
        while (p < n && isBlank(at(p)))
            ++p;
        if (at(p) == Delimiter) {
            if (p + 1 >= n)
                items.append(QString());
            do {
                ++p;
            } while (p < n && isBlank(at(p)));
        }
    }
    return items;
}

QString join(const QStringList &items)
{
    if (items.size() == 1 && items.first().isEmpty())
        return QStringLiteral("\"\"");
    QStringList out;
    out.reserve(items.size());
    for (const QString &item : items) {
        bool quote = false;
        for (const QChar c : item) {
            if (c.unicode() <= 32 || c == Quote || c == Delimiter) {
                quote = true;
                break;
            }
        }
        if (quote) {
            QString q = item;
            q.replace(Quote, QStringLiteral("\"\""));
            out.append(Quote + q + Quote);
        } else {
            out.append(item);
        }
    }
    return out.join(Delimiter);
}

QString nameOf(const QString &entry)
{
    const int eq = entry.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : entry.left(eq);
}

QString valueOf(const QString &entry)
{
    const int eq = entry.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : entry.mid(eq + 1);
}

QString valueByName(const QStringList &entries, const QString &name)
{
    for (const QString &entry : entries) {
        const int eq = entry.indexOf(QLatin1Char('='));
        if (eq >= 0 && entry.left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return entry.mid(eq + 1);
    }
    return QString();
}

} // namespace CommaText
