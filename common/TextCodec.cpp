#include "TextCodec.h"

#include <QTextCodec>

namespace TextCodec {

bool isValidUtf8(const QByteArray &bytes)
{
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

QString toDisplay(const QByteArray &bytes)
{
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    static QTextCodec *gb = QTextCodec::codecForName("GB18030");
    return gb->toUnicode(bytes);
}

QByteArray fromDisplayGb(const QString &text)
{
    static QTextCodec *gb = QTextCodec::codecForName("GB18030");
    return gb->fromUnicode(text);
}

} // namespace TextCodec
