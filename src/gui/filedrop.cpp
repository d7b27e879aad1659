// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/filedrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMainWindow>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

namespace {

constexpr int kMessageMs = 6000;

}   // namespace

FileDrop::FileDrop(QMainWindow* window) : QObject(window), m_window(window)
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

QString FileDrop::droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return QString();
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return QString();
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        // Any local file is taken, so that a wrong one can be refused with a reason.
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (droppedFile(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file = droppedFile(drop->mimeData());
        if (file.isEmpty())
            return false;
        drop->acceptProposedAction();
        const QFileInfo info(file);
        if (info.isFile() && info.suffix().compare(QLatin1String("db"), Qt::CaseInsensitive) == 0)
            emit openRequested(info.absoluteFilePath());
        else
            m_window->statusBar()->showMessage(
                tr("%1 : seuls les fichiers de mesures .db s'ouvrent ici").arg(info.fileName()), kMessageMs);
        return true;
    }
    default: return false;
    }
}
