#include "IniFile.h"
#include "Exception.h"

#include <QFile>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString name = QStringLiteral("/tmp/fuzz-inifile-%1.ini").arg(getpid());
    {
        QFile f(name);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    TIniFile ini(name);
    ini.readString(QStringLiteral("Server"), QStringLiteral("url"), QString());
    const int before = ini.readInteger(QStringLiteral("Local"), QStringLiteral("NavFongSize"), 25);
    try {
        ini.writeInteger(QStringLiteral("Local"), QStringLiteral("NavWidth"), 243);
    } catch (const Exception &) {
        return 0;
    }
    // One write changes that key only.
    TIniFile again(name);
    if (again.readInteger(QStringLiteral("Local"), QStringLiteral("NavWidth"), 0) != 243)
        __builtin_trap();
    if (again.readInteger(QStringLiteral("Local"), QStringLiteral("NavFongSize"), 25) != before)
        __builtin_trap();
    return 0;
}
