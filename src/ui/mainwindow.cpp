#include "mainwindow.h"

#include "resources.h"

#include <QIcon>
#include <QLocale>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    initTramolaResources();
    resize(919, 700);
    setMinimumSize(800, 640);
    setWindowTitle(tr("Tramola"));
    setWindowIcon(QIcon(QStringLiteral(":/images/logo.png")));
}

MainWindow::~MainWindow() = default;

QString MainWindow::dateTimeText(const QDateTime& dateTime) const
{
    const QLocale locale(m_szLocaleName);
    return locale.toString(dateTime.date(), QLocale::LongFormat) + QLatin1Char(' ')
        + locale.toString(dateTime.time(), QLocale::ShortFormat);
}
