#include "PositionString.h"

#include "CommaText.h"
#include "Exception.h"
#include "IniFile.h"

namespace PositionString {

QString format(int left, int top, int width, int height)
{
    return QStringLiteral("%1,%2,%3,%4").arg(left).arg(top).arg(width).arg(height);
}

QString format(const QRect &bounds)
{
    return format(bounds.left(), bounds.top(), bounds.width(), bounds.height());
}

bool parse(const QString &text, QRect *bounds)
{
    const QStringList items = CommaText::split(text);
    if (items.size() != 4)
        return false;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        if (!TIniFile::parseDecimal(items.at(i), &v[i]))
            throw Exception(QStringLiteral("'%1' is not a valid integer value").arg(items.at(i)));
    }
    if (bounds)
        *bounds = QRect(v[0], v[1], v[2], v[3]);
    return true;
}

} // namespace PositionString
