#pragma once

#include <QObject>
#include <QPointer>
#include <QSqlDatabase>
#include <QStringList>

class TIBTransaction;

// Connection to one database file through the embedded engine. Nothing is
// connected when the settings are made: the first statement connects
// (ensureConnected). Parameter lines are "name=value"; for names given more
// than once the last line counts, so a configured password appended after
// the design line wins.
class TIBDatabase : public QObject
{
    Q_OBJECT
public:
    explicit TIBDatabase(QObject *parent = nullptr);
    ~TIBDatabase() override;

    void setDatabaseName(const QString &name) { m_databaseName = name; }
    QString databaseName() const { return m_databaseName; }

    QStringList &params() { return m_params; }
    const QStringList &params() const { return m_params; }
    // Value of the last "name=..." line, name compared ignoring case.
    QString paramValue(const QString &name) const;

    // The engine never prompts; the flag only mirrors the setting.
    void setLoginPrompt(bool prompt) { m_loginPrompt = prompt; }
    bool loginPrompt() const { return m_loginPrompt; }
    // Only dialect 3 is supported; open() refuses any other.
    void setSQLDialect(int dialect) { m_sqlDialect = dialect; }
    int sqlDialect() const { return m_sqlDialect; }
    // 0: never disconnects by itself (the only behaviour there is).
    void setIdleTimer(int ms) { m_idleTimer = ms; }
    int idleTimer() const { return m_idleTimer; }

    void setDefaultTransaction(TIBTransaction *transaction);
    TIBTransaction *defaultTransaction() const;

    // Throws Exception with the engine's message when the file cannot be opened.
    void open();
    void ensureConnected();
    // Rolls back what was not committed, closes the statements, disconnects.
    void close();
    bool connected() const;

    // The Qt connection behind this object; valid while the object lives.
    QSqlDatabase sqlDatabase() const;

private:
    QString m_connectionName;
    QString m_databaseName;
    QStringList m_params;
    bool m_loginPrompt = false;
    int m_sqlDialect = 3;
    int m_idleTimer = 0;
    QPointer<TIBTransaction> m_transaction;
};
