// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/messagelog.h"

#include "core/checkedfile.h"
#include "core/workspace.h"

#include <QDateTime>
#include <QFile>
#include <cstdlib>

namespace {
bool g_debugMode = false;
QString g_logFile;
bool g_logFileSet = false;
}   // namespace

bool debugModeEnabled()
{
    return g_debugMode;
}
void setDebugModeEnabled(bool on)
{
    g_debugMode = on;
}

void setLogFilePath(const QString& path)
{
    g_logFile = path;
    g_logFileSet = true;
}

QString logFilePath()
{
    return g_logFileSet ? g_logFile : Workspace::logFile();
}

void logMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (!g_debugMode)
        return;
    QFile file(logFilePath());
    // A FIFO in the log's place would block every message.
    if (!isMissingOrRegularFile(file.fileName()) || !file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    const char* tag = ": Debug : ";
    switch (type) {
    case QtWarningMsg: tag = ": Warning : "; break;
    case QtCriticalMsg: tag = ": Critical :"; break;
    case QtFatalMsg: tag = ": Fatal :"; break;
    default: break;
    }
    QByteArray line = QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")).toLatin1();
    line += tag;
    line += text.toUtf8();
    line += '\n';
    file.write(line);
    if (type == QtFatalMsg) {
        file.flush();
        std::abort();
    }
    file.close();
}
