#include "core/MessageHandler.h"
#include "core/Repository.h"
#include "core/FileManager.h"
#include "core/GlobalConstants.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    installKrelvoxMessageHandler();
    QApplication app(argc, argv);
    const bool createDb = app.arguments().contains(QStringLiteral("-create-db"));

    Repository repository;
    if (repository.openDatabase(createDb) != 0) {
        QTextStream(stderr) << TEXT_CANT_USE_DATABASE() << '\n';
        return 1;
    }
    QTextStream(stdout) << "database: " << repository.databaseFileName() << '\n'
                        << "media: " << repository.getFileManager()->getApplicationMediaFolder() << '\n';
    return 0;
}
