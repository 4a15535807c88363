#pragma once

#include "TIBStatement.h"

#include <QIcon>
#include <QImage>
#include <QSqlRecord>
#include <optional>

// A reading query: opened by its statement text, positioned on its first
// row, fields looked up by name ignoring case. It stays open (and so does
// the transaction) until close(), a new text, or a commit of the transaction.
class TIBQuery : public TIBStatement
{
    Q_OBJECT
public:
    TIBQuery(TIBDatabase *database, TIBTransaction *transaction = nullptr, QObject *parent = nullptr);

    // Throws Exception with the engine's message.
    void open();
    void close() override;
    bool isActive() const { return query() != nullptr; }

    bool isEmpty() const { return m_empty; }
    bool eof() const { return m_eof; }
    void next();

    bool fieldExists(const QString &name) const;
    // The readers below throw Exception for an unknown field. Past the last
    // row every field reads as NULL.
    bool isNull(const QString &name) const;
    QString asString(const QString &name) const;  // NULL: ""
    int asInteger(const QString &name) const;     // NULL: 0; numbers rounded
    double asDouble(const QString &name) const;   // NULL: 0
    QByteArray asBytes(const QString &name) const; // NULL: empty
    QVariant value(const QString &name) const;

    // Picture columns: nullopt for NULL ("not set"), an empty image for an
    // empty BLOB, else BMP then JPEG; Exception naming the column otherwise.
    std::optional<QImage> asPicture(const QString &name) const;
    // SYS_ICO: an ICO file image. nullopt for NULL or an empty BLOB.
    std::optional<QIcon> asIcon(const QString &name) const;

private:
    int indexOf(const QString &name) const;

    QSqlRecord m_record;
    bool m_empty = true;
    bool m_eof = true;
};
