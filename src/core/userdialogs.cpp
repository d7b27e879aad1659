#include "userdialogs.h"

#include <QDebug>
#include <cstdio>

namespace {

class ConsoleDialogs : public UserDialogs
{
public:
    void message(Icon icon, const QString& title, const QString& text) override
    {
        const QString line = title + QStringLiteral(" : ") + QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed();
        if (icon == Icon::Critical || icon == Icon::Warning)
            qWarning().noquote() << line;
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    }
    int question(const QString&, const QString&, const QStringList&, int defaultButton) override
    {
        return defaultButton;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    bool getInt(const QString&, const QString&, int, int, int, int, int*) override { return false; }
    bool getText(const QString&, const QString&, const QString&, QString*) override { return false; }
    std::unique_ptr<ProgressReporter> createProgress(const ProgressOptions& o) override
    {
        return std::make_unique<SilentProgress>(o.minimum, o.maximum);
    }
};

ConsoleDialogs consoleDialogs;
UserDialogs* current = nullptr;

} // namespace

bool UserDialogs::printDialog(QPrinter*)
{
    return false;
}

bool UserDialogs::openInViewer(const QString&)
{
    return false;
}

UserDialogs& userDialogs()
{
    return current ? *current : consoleDialogs;
}

void setUserDialogs(UserDialogs* d)
{
    current = d;
}
