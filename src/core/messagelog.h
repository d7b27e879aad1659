// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// The process-wide debug-mode switch: the only thing that lets lines reach the log file.
bool debugModeEnabled();
void setDebugModeEnabled(bool on);

// Where the handler appends; the workspace's log file unless a test says otherwise.
void setLogFilePath(const QString& path);
QString logFilePath();

// Appends "yyyy/MM/dd hh:mm:ss" + tag + text while the switch is on; aborts on fatal.
void logMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text);
