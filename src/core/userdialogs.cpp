// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/userdialogs.h"

#include <QDebug>
#include <cstdio>

namespace {

// The messages on standard error (and in the log when they warn); the rest as QuietDialogs.
class ConsoleDialogs : public QuietDialogs
{
public:
    void message(Icon icon, const QString& title, const QString& text) override
    {
        const QString line =
            title + QStringLiteral(" : ") + QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed();
        if (icon == Icon::Critical || icon == Icon::Warning)
            qWarning().noquote() << line;
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    }
};

ConsoleDialogs consoleDialogs;
UserDialogs* current = nullptr;

}   // namespace

bool UserDialogs::printDialog(QPrinter*)
{
    return false;
}

QString UserDialogs::folderName(const QString&, const QString&)
{
    return {};
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

ProgressFactory dialogProgress()
{
    return [](const ProgressOptions& options) { return userDialogs().createProgress(options); };
}

void showNotices(const Notices& notices)
{
    for (const Notice& n : notices) {
        if (!n.text.isEmpty())
            userDialogs().message(n.icon, n.title, n.text);
    }
}
