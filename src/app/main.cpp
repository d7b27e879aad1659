// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/localedetect.h"
#include "core/messagelog.h"
#include "core/startupoptions.h"
#include "core/workspace.h"
#include "gui/mainwindow.h"
#include "gui/qtuserdialogs.h"

#include <QApplication>
#include <QDate>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTimer>
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

    bool forcedMissing = false;
    const QString localeName = installLanguage(app, forcedLanguage, QLocale::system().uiLanguages(), &forcedMissing);
    if (forcedMissing)
        std::fprintf(stderr, "tramola: no translation \"%s\" in %s\n", qPrintable(forcedLanguage),
                     qPrintable(QDir::toNativeSeparators(translationFolder(QApplication::applicationDirPath()))));
    qDebug() << "Detected locale" << localeName;
    qDebug() << QLocale().toString(QDate::currentDate(), QLocale::LongFormat);

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
