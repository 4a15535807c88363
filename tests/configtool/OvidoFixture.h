#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QPair>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>

class OvidoProgram;
class TDM;

// A program directory in a temporary folder with a real CLINFO.DB, picture
// files, a second connection for checking what was committed, and a log of
// the column updates the data module ran. Error and information boxes are
// captured instead of shown.
class OvidoFixture
{
public:
    struct Box {
        bool error;
        QString caption;
        QString text;
    };

    OvidoFixture();
    ~OvidoFixture();

    QString dir() const; // with a trailing separator
    // Creates dir()/name with both tables and row 1 (all NULL but ID).
    void createDatabase(const QString &name = QStringLiteral("CLINFO.DB"));
    void writeConfig(const QString &text);

    // Through a connection of its own: only committed data is seen.
    void exec(const QString &sql, const QVariantList &values = {});
    QVariant value(const QString &table, const QString &column);

    // Starts the program objects on dir() and watches the updates of its data module.
    OvidoProgram &start();
    OvidoProgram &program() { return *m_program; }

    QList<QPair<QString, QVariant>> updates; // statement, value
    QList<Box> boxes;

    // Picture files in dir().
    QString writeFile(const QString &name, const QByteArray &bytes);
    QString writeImage(const QString &name, const QSize &size, const QColor &color, const char *format);
    static QByteArray imageBytes(const QSize &size, const QColor &color, const char *format);
    static QByteArray iconBytes();

    // Answers every file dialog with this path (empty: Cancel).
    void chooseFile(const QString &path);

private:
    QString checkConnection();

    QTemporaryDir m_dir;
    QString m_database;
    QString m_connection;
    std::unique_ptr<OvidoProgram> m_program;
};
