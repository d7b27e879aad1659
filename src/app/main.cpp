#include "core/localedetect.h"
#include "core/messagelog.h"
#include "core/startupoptions.h"
#include "core/workspace.h"
#include "ui/mainwindow.h"
#include "ui/qtuserdialogs.h"

#include <QApplication>
#include <QDate>
#include <QDebug>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    Workspace::computeRoots();
    Workspace::establish();

    const int status = handleStartupOptions(argc, argv, stdout, stderr);
    if (status >= 0)
        return status;

    qDebug() << "Opening" << Workspace::logFile();
    qInstallMessageHandler(logMessageHandler);

    QApplication app(argc, argv);
    QTranslator translator;
    const QString langFolder = QApplication::applicationDirPath() + QStringLiteral("/lang");
    translator.load(QStringLiteral("tramola"), langFolder);
    app.installTranslator(&translator);

    const QString localeName = detectLocale(langFolder, QStringLiteral("tramola"));
    const QLocale locale(localeName);
    // Numbers as the interface's language writes them: "14 278" in French, not "14,278".
    QLocale::setDefault(locale);
    qDebug() << "Detected locale" << localeName;
    qDebug() << locale.toString(QDate::currentDate(), QLocale::LongFormat);
    qDebug() << locale.name();

    // Qt's own texts (file dialogs, standard buttons) in the same language, shipped beside ours
    // or taken from the Qt installation.
    QTranslator qtTranslator;
    const QString qtName = QStringLiteral("qtbase_") + localeName.section(QLatin1Char('_'), 0, 0);
    if (qtTranslator.load(qtName, langFolder)
        || qtTranslator.load(qtName, QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    QtUserDialogs dialogs;
    setUserDialogs(&dialogs);
    int result;
    {
        MainWindow window;
        window.setLocaleName(localeName);
        window.show();
        result = app.exec();
    }
    setUserDialogs(nullptr);
    return result;
}
