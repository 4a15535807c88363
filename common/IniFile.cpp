#include "IniFile.h"

#include "Exception.h"
#include "TextCodec.h"

#include <QFile>
#include <QSaveFile>

TIniFile::TIniFile(const QString &fileName)
    : m_fileName(fileName)
{
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly))
        parse(file.readAll());
}

void TIniFile::parse(const QByteArray &data)
{
    if (data.contains("\r\n"))
        m_lineBreak = "\r\n";
    m_endsWithBreak = data.isEmpty() || data.endsWith('\n');

    QList<QByteArray> rawLines = data.split('\n');
    if (m_endsWithBreak && !rawLines.isEmpty())
        rawLines.removeLast();

    QString section;
    for (QByteArray raw : rawLines) {
        if (raw.endsWith('\r'))
            raw.chop(1);
        Line line;
        line.raw = raw;
        const QString text = TextCodec::toDisplay(raw).trimmed();
        if (text.startsWith(QLatin1Char('[')) && text.contains(QLatin1Char(']'))) {
            section = text.mid(1, text.indexOf(QLatin1Char(']')) - 1).trimmed();
            line.isSection = true;
            line.section = section;
        } else if (!text.startsWith(QLatin1Char(';')) && !text.startsWith(QLatin1Char('#'))) {
            const int eq = text.indexOf(QLatin1Char('='));
            if (eq > 0) {
                line.section = section;
                line.key = text.left(eq).trimmed();
                QString value = text.mid(eq + 1).trimmed();
                if (value.size() >= 2
                    && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
                    && value.back() == value.front())
                    value = value.mid(1, value.size() - 2);
                line.value = value;
            }
        }
        m_lines.append(line);
    }
}

int TIniFile::findKey(const QString &section, const QString &key) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines.at(i);
        if (!line.isSection && !line.key.isEmpty()
            && line.section.compare(section, Qt::CaseInsensitive) == 0
            && line.key.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool TIniFile::valueExists(const QString &section, const QString &key) const
{
    return findKey(section, key) >= 0;
}

QString TIniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const int i = findKey(section, key);
    return i < 0 ? defaultValue : m_lines.at(i).value;
}

bool TIniFile::parseDecimal(const QString &text, int *value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        const bool sign = i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+'));
        if (!sign && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return false;
    }
    bool ok = false;
    const int v = t.toInt(&ok, 10);
    if (ok && value)
        *value = v;
    return ok;
}

int TIniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    int v = defaultValue;
    return parseDecimal(readString(section, key, QString()), &v) ? v : defaultValue;
}

void TIniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const int existing = findKey(section, key);
    if (existing >= 0) {
        Line &line = m_lines[existing];
        const int eq = line.raw.indexOf('=');
        line.raw = line.raw.left(eq + 1) + value.toUtf8();
        line.value = value;
    } else {
        Line line;
        line.section = section;
        line.key = key;
        line.value = value;
        line.raw = key.toUtf8() + '=' + value.toUtf8();
        // After the last key of the first matching section, else a new section.
        int insertAt = -1;
        bool inSection = false;
        for (int i = 0; i < m_lines.size(); ++i) {
            const Line &l = m_lines.at(i);
            if (l.isSection) {
                if (inSection)
                    break;
                inSection = l.section.compare(section, Qt::CaseInsensitive) == 0;
                if (inSection)
                    insertAt = i + 1;
            } else if (inSection && !l.raw.trimmed().isEmpty()) {
                insertAt = i + 1;
            }
        }
        if (insertAt < 0) {
            Line header;
            header.isSection = true;
            header.section = section;
            header.raw = '[' + section.toUtf8() + ']';
            m_lines.append(header);
            insertAt = m_lines.size();
        }
        m_lines.insert(insertAt, line);
    }

    QByteArray out;
    for (int i = 0; i < m_lines.size(); ++i) {
        out += m_lines.at(i).raw;
        if (i + 1 < m_lines.size() || m_endsWithBreak || existing < 0)
            out += m_lineBreak;
    }
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        throw Exception(QStringLiteral("Cannot write settings file %1: %2").arg(m_fileName, file.errorString()));
}

void TIniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}
