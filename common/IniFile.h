#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A sections-and-keys settings file with the rules of the system's settings:
// sections and keys match regardless of case, values are trimmed (and lose
// enclosing quotes), a missing file reads as empty. Writing one key rewrites
// only that key's line: comments, unknown keys and other sections stay as
// they were. Not for large files: the whole file is read at construction.
class TIniFile
{
public:
    explicit TIniFile(const QString &fileName);

    const QString &fileName() const { return m_fileName; }

    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    // Falls back to the default when the text is not a decimal integer.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    bool valueExists(const QString &section, const QString &key) const;

    // Writes the file at once (atomically). Throws Exception when the file
    // cannot be written; the old file is then left as it was.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);

    // The decimal rule of readInteger, for values read as text first.
    static bool parseDecimal(const QString &text, int *value);

private:
    struct Line {
        QByteArray raw;      // without the line break
        QString section;     // the section the line belongs to (for key lines)
        QString key;         // empty unless the line is a key line
        QString value;
        bool isSection = false;
    };

    void parse(const QByteArray &data);
    int findKey(const QString &section, const QString &key) const;

    QString m_fileName;
    QList<Line> m_lines;
    QByteArray m_lineBreak = "\n";
    bool m_endsWithBreak = true;
};
