// clinfo-create FILE [--sample] [--replace]
// clinfo-create --pictures FOLDER
// Creates the local appearance database with its settings rows; --sample
// fills them with the demo look. The file is built under a temporary name
// beside FILE and renamed into place only when complete.
#include "ClinfoSchema.h"
#include "DbNames.h"
#include "Exception.h"
#include "FirebirdEnvironment.h"
#include "SampleLook.h"
#include "TIBDatabase.h"
#include "TIBTransaction.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

namespace {

void build(const QString &file, bool sample)
{
    TIBDatabase database;
    TIBTransaction transaction;
    database.setDefaultTransaction(&transaction);
    database.setDatabaseName(file);
    database.params() << QStringLiteral("user_name=%1").arg(QLatin1String(DbNames::User))
                      << QStringLiteral("password=%1").arg(QLatin1String(DbNames::DefaultPassword));
    ClinfoSchema::create(database);
    if (sample)
        SampleLook::fill(database);
    database.close();
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing the sample pictures needs a GUI application, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Creates the local appearance database."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("database file to create"));
    parser.addOption({QStringLiteral("sample"), QStringLiteral("fill row 1 with the sample look")});
    parser.addOption({QStringLiteral("replace"), QStringLiteral("replace FILE when it exists")});
    parser.addOption({QStringLiteral("pictures"), QStringLiteral("only save the sample pictures as PNG into FOLDER"),
                      QStringLiteral("FOLDER")});
    parser.process(app);
    QTextStream err(stderr);
    if (parser.isSet(QStringLiteral("pictures"))) {
        try {
            SampleLook::savePictures(parser.value(QStringLiteral("pictures")));
            return 0;
        } catch (const Exception &e) {
            err << "clinfo-create: " << e.message() << '\n';
            return 1;
        }
    }
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    const QString target = QFileInfo(parser.positionalArguments().constFirst()).absoluteFilePath();
    const QString temporary = target + QStringLiteral(".new-%1").arg(QCoreApplication::applicationPid());
    try {
        if (QFileInfo::exists(target) && !parser.isSet(QStringLiteral("replace")))
            throw Exception(QStringLiteral("%1 already exists; it is left as it is (use --replace)").arg(target));
        FirebirdEnvironment::prepare();
        QFile::remove(temporary);
        build(temporary, parser.isSet(QStringLiteral("sample")));
        if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0)
            throw Exception(QStringLiteral("Cannot move %1 to %2").arg(temporary, target));
    } catch (const std::exception &e) {
        QFile::remove(temporary);
        err << "clinfo-create: " << Exception::messageOf(e) << '\n';
        return 1;
    }
    return 0;
}
