// SPDX-License-Identifier: GPL-3.0-or-later
// tramola-shots: pictures of the window, each of its tabs and the dialogs one can reach, from a
// measure database, in the language asked. For the README's picture and for checking that no text
// is cut off in either language. Not installed.
#include "core/localedetect.h"
#include "core/messagelog.h"
#include "core/workspace.h"
#include "gui/aboutbox.h"
#include "gui/dialogrunner.h"
#include "gui/mainwindow.h"
#include "gui/qtuserdialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolBox>
#include <QToolButton>
#include <cstdio>

namespace {

QString outFolder;
QString prefix;   // "en-", "fr-"
QString nextName;   // of the next box the program opens by itself
int boxCount = 0;

void settle(int ms = 300)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void save(QWidget* widget, const QString& name)
{
    const QString path = QDir(outFolder).filePath(prefix + name + QStringLiteral(".png"));
    if (!widget->grab().save(path))
        std::fprintf(stderr, "tramola-shots: cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

QString takeName()
{
    const QString name = nextName.isEmpty() ? QStringLiteral("box-%1").arg(++boxCount) : nextName;
    nextName.clear();
    return name;
}

// Boxes the program runs with exec() (messages, questions, input): pictured, then closed by their
// default button (the harmless answer), else cancelled.
class BoxCatcher : public QObject
{
public:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* dialog = qobject_cast<QDialog*>(object);
        if (event->type() != QEvent::Show || !dialog || !dialog->isWindow() || qobject_cast<QProgressDialog*>(dialog)
            || dialog->property("shot").toBool())
            return false;
        dialog->setProperty("shot", true);
        const QString name = takeName();
        QTimer::singleShot(300, dialog, [dialog, name] {
            save(dialog, name);
            auto* box = qobject_cast<QMessageBox*>(dialog);
            if (box && box->defaultButton())
                box->defaultButton()->click();
            else
                dialog->done(QDialog::Rejected);
        });
        return false;
    }
};

// The file dialogs answer from the script; everything else is the window's own.
class ShotDialogs : public QtUserDialogs
{
public:
    QString openAnswer;
    QString openFileName(const QString&, const QString&, const QString&) override { return openAnswer; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return QString(); }
    QString printFile;   // where the next print goes, as PDF; empty: the print is cancelled
    bool printDialog(QPrinter* printer) override
    {
        if (printFile.isEmpty())
            return false;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(printFile);
        return true;
    }
    bool openInViewer(const QString&) override { return true; }
};

// The speed area import's sample: two states, so that the tree has something to show.
QString writeSampleCsv(const QString& folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("zones.csv"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write("France;FR;Ile-de-France;Zone 30;0;30;31;40;41;50\n"
                   "France;FR;Ile-de-France;Zone 50;0;30;31;50;51;70;71;90\n"
                   "France;FR;Bretagne;Zone 70;0;50;51;70;71;90;91;110\n");
    }
    return path;
}

void grabTabs(MainWindow& window, QTabWidget* tabs, int width, int height)
{
    window.resize(width, height);
    settle();
    const QString size = QStringLiteral("%1x%2").arg(width).arg(height);
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        settle();
        save(&window, QStringLiteral("window-%1-tab%2").arg(size).arg(i + 1));
    }
}

void grabMenu(MainWindow& window, const QString& objectName, const QString& name)
{
    auto* menu = window.findChild<QMenu*>(objectName);
    if (!menu)
        return;
    menu->popup(window.mapToGlobal(QPoint(20, 20)));
    settle();
    save(menu, name);
    menu->hide();
}

int usage()
{
    std::fprintf(stderr,
                 "usage: tramola-shots DB OUT_FOLDER [--lang en|fr] [--window-only TAB]\n"
                 "  pictures of the window and its dialogs; --window-only N writes only the window on tab N\n");
    return 2;
}

}   // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(logMessageHandler);
    Workspace::computeRoots();
    Workspace::establish();
    QApplication app(argc, argv);
    // The plots' trackers follow the pointer: keep it out of the pictures.
    QCursor::setPos(0, 0);

    QStringList args = app.arguments().mid(1);
    QString language;
    int windowOnly = 0;
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--lang") && i + 1 < args.size())
            language = args.at(++i);
        else if (args.at(i) == QLatin1String("--window-only") && i + 1 < args.size())
            windowOnly = args.at(++i).toInt();
        else
            positional << args.at(i);
    }
    if (positional.size() != 2)
        return usage();
    const QString database = positional.at(0);
    outFolder = positional.at(1);
    QDir().mkpath(outFolder);

    bool missing = false;
    const QString localeName = installLanguage(app, language, QLocale::system().uiLanguages(), &missing);
    if (missing) {
        std::fprintf(stderr, "tramola-shots: no translation \"%s\"\n", qPrintable(language));
        return 1;
    }
    prefix = windowOnly ? QString() : localeName.section(QLatin1Char('_'), 0, 0) + QLatin1Char('-');

    ShotDialogs dialogs;
    setUserDialogs(&dialogs);
    BoxCatcher catcher;
    app.installEventFilter(&catcher);

    // Our own dialogs: pictured, then driven a little further where that shows more.
    std::function<int(QDialog&)> runner = [&](QDialog& dialog) {
        dialog.setProperty("shot", true);
        dialog.show();
        settle();
        const QString name = takeName();
        if (!windowOnly)
            save(&dialog, name);
        if (name == QLatin1String("speedarea-editor")) {
            if (auto* import = dialog.findChild<QToolButton*>(QStringLiteral("importButton"))) {
                nextName = QStringLiteral("speedarea-import");
                import->click();
            }
        }
        dialog.hide();
        return int(name == QLatin1String("campaign-choice") ? QDialog::Accepted : QDialog::Rejected);
    };
    setDialogRunner(runner);
    dialogs.openAnswer = writeSampleCsv(QDir::tempPath());

    int status = 0;
    {
        MainWindow window;
        window.setLocaleName(localeName);
        window.resize(1280, 800);
        window.show();
        settle();
        if (!windowOnly)
            save(&window, QStringLiteral("start-page"));

        nextName = QStringLiteral("campaign-choice");
        window.openFile(database);
        for (int i = 0; i < 600 && window.isBusy(); ++i)
            settle(100);
        settle(500);
        auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("tabWidget"));
        if (!tabs || !window.analysis()) {
            std::fprintf(stderr, "tramola-shots: %s was not loaded\n", qPrintable(database));
            return 1;
        }

        if (windowOnly) {
            window.resize(1280, 800);   // the first start's size
            tabs->setCurrentIndex(windowOnly - 1);
            settle(500);
            if (!window.grab().save(outFolder + QStringLiteral("/tramola.png")))
                status = 1;
        } else {
            grabTabs(window, tabs, 1280, 800);
            if (auto* panel = window.findChild<QToolBox*>(QStringLiteral("criteriaPanel"))) {
                panel->setCurrentIndex(1);
                settle();
                save(&window, QStringLiteral("window-1280x800-data-panel"));
                panel->setCurrentIndex(0);
            }
            // Each printable tab's printout, as PDF.
            for (int tab : {0, 1, 2, 3, 4, 7}) {
                tabs->setCurrentIndex(tab);
                settle();
                dialogs.printFile = QDir(outFolder).filePath(prefix + QStringLiteral("print-tab%1.pdf").arg(tab + 1));
                window.print();
            }
            dialogs.printFile.clear();
            grabMenu(window, QStringLiteral("menuFichier"), QStringLiteral("menu-file"));
            grabMenu(window, QStringLiteral("menuOutils"), QStringLiteral("menu-tools"));

            // Campaign details, from the campaign tab's "Modifier…".
            tabs->setCurrentIndex(tabs->count() - 2);
            settle();
            if (auto* edit = window.findChild<QPushButton*>(QStringLiteral("editButton"))) {
                nextName = QStringLiteral("campaign-details");
                edit->click();
            }
            nextName = QStringLiteral("speedarea-editor");
            window.findChild<QToolButton*>(QStringLiteral("speedAreaButton"))->click();
            for (int i = 0; i < 600 && window.isBusy(); ++i)
                settle(100);
            nextName = QStringLiteral("report-dialog");
            window.exportPdf();
            tabs->setCurrentIndex(5);   // the table: nothing to print
            nextName = QStringLiteral("box-print-unavailable");
            window.print();
            nextName = QStringLiteral("box-about");
            showAboutBox();
            nextName = QStringLiteral("box-percentiles");
            window.findChild<QToolButton*>(QStringLiteral("percentileHelpButton"))->click();
            nextName = QStringLiteral("input-range");
            window.setRange();
            nextName = QStringLiteral("input-filter");
            window.setBucketWidth();

            grabTabs(window, tabs, 1100, 760);
            grabTabs(window, tabs, 1600, 1000);
            grabTabs(window, tabs, 800, 640);   // the smallest
            if (auto* panel = window.findChild<QToolBox*>(QStringLiteral("criteriaPanel"))) {
                panel->setCurrentIndex(1);
                settle();
                save(&window, QStringLiteral("window-800x640-data-panel"));
            }
        }
        setDialogRunner({});
    }
    setUserDialogs(nullptr);
    return status;
}
