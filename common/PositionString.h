#pragma once

#include <QRect>
#include <QString>

// "L,T,W,H" position strings of the login layout.
namespace PositionString {

QString format(int left, int top, int width, int height);
QString format(const QRect &bounds);

// Splits by comma-text rules. Returns false (bounds untouched) unless there
// are exactly four items; throws Exception when one of the four items is not
// an integer (e.g. "12px").
bool parse(const QString &text, QRect *bounds);

} // namespace PositionString
