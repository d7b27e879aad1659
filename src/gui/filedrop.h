// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QMainWindow;
class QMimeData;

// Files dropped on the window: a measure database (.db) is handed on to be opened, anything
// else is refused with a line in the status bar.
class FileDrop : public QObject
{
    Q_OBJECT

public:
    explicit FileDrop(QMainWindow* window);

    // The first local file of a drop; empty when it carries none.
    static QString droppedFile(const QMimeData* data);

signals:
    void openRequested(const QString& file);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMainWindow* m_window;
};
