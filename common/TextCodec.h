#pragma once

#include <QByteArray>
#include <QString>

// 8-bit text of the system: valid UTF-8 is shown as UTF-8, anything else is
// taken as GB18030 (a superset of GB2312 and GBK).
namespace TextCodec {

bool isValidUtf8(const QByteArray &bytes);
QString toDisplay(const QByteArray &bytes);
QByteArray fromDisplayGb(const QString &text); // GB18030 bytes

} // namespace TextCodec
