#include "core/localedetect.h"
#include "core/messagelog.h"
#include "core/startupoptions.h"
#include "core/workspace.h"
#include "ui/mainwindow.h"
#include "ui/qtuserdialogs.h"

#include <QApplication>
#include <QDate>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

int main(int argc, char* argv[])
{
    Workspace::computeRoots();
    Workspace::establish();

    std::vector<int> operands;
    QString forcedLanguage;
    const int status = handleStartupOptions(argc, argv, stdout, stderr, &operands, &forcedLanguage);
    if (status >= 0)
        return status;
    const QList<QByteArray> rawArguments(argv, argv + argc);

    qDebug() << "Opening" << Workspace::logFile();
    qInstallMessageHandler(logMessageHandler);

    QApplication app(argc, argv);
    // Qt takes its own options out of argv; the operands' indexes then hold for the raw copy only.
    QStringList arguments = app.arguments();
    if (arguments.size() != rawArguments.size()) {
        arguments.clear();
        for (const QByteArray& argument : rawArguments)
            arguments << QFile::decodeName(argument);
    }
    const QString startFile = startupFile(arguments, operands);

    QTranslator translator;
    const QString langFolder = translationFolder(QApplication::applicationDirPath());
    const QString language =
        chooseLanguage(langFolder, QStringLiteral("tramola"), forcedLanguage, QLocale::system().uiLanguages());
    if (!forcedLanguage.isEmpty() && language.isEmpty())
        std::fprintf(stderr, "tramola: no translation \"%s\" in %s\n", qPrintable(forcedLanguage),
                     qPrintable(QDir::toNativeSeparators(langFolder)));
    QString localeName;
    if (language.isEmpty()) {
        translator.load(QStringLiteral("tramola"), langFolder);
        localeName = detectLocale(langFolder, QStringLiteral("tramola"));
    } else {
        translator.load(QStringLiteral("tramola_") + language, langFolder);
        localeName = QStringLiteral("%1_%2").arg(language, language.toUpper());
    }
    app.installTranslator(&translator);

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
        if (!startFile.isEmpty())
            QTimer::singleShot(0, &window, [&window, startFile] { window.openFile(startFile); });
        result = app.exec();
    }
    setUserDialogs(nullptr);
    return result;
}
