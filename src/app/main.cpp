// The desktop program. Until the main window exists this opens the database of
// the program folder and says what it found.
#include "core/Connection.h"
#include "core/ConnectionString.h"
#include "core/DatabaseError.h"
#include "core/DisplayFormat.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ostrapel"));
    ostrapel::installProgramLocale();

    const QString programDir = QDir(QCoreApplication::applicationDirPath()).canonicalPath();
    const QString dbPath = programDir + QStringLiteral("/db/borderel.db");
    ostrapel::Connection connection;
    QString text;
    try {
        connection.open(ostrapel::ConnectionString::forSqliteFile(dbPath).toString());
        text = QStringLiteral("Database %1 geopend: %2 tabellen gevonden.")
                   .arg(dbPath)
                   .arg(connection.tableNames().size());
    } catch (const ostrapel::DatabaseError& e) {
        text = e.message();
    }

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Ostrapel"));
    auto* label = new QLabel(text, &window);
    label->setMargin(16);
    label->setWordWrap(true);
    window.setCentralWidget(label);
    window.resize(640, 400);
    window.show();
    return app.exec();
}
