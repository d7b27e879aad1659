// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/windowlayout.h"

#include "core/workspace.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>

void WindowLayout::restore(QMainWindow* window, QSplitter* splitter, int firstWidth)
{
    const QByteArray geometry = getWindowLayout(QStringLiteral("geometry"));
    if (geometry.isEmpty() || !window->restoreGeometry(geometry)) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QSize room = screen->availableGeometry().size() * 0.95;
            window->resize(QSize(1280, 800).boundedTo(room).expandedTo(window->minimumSize()));
        }
    }
    const QByteArray state = getWindowLayout(QStringLiteral("splitter"));
    if (state.isEmpty() || !splitter->restoreState(state))
        splitter->setSizes({firstWidth, window->width()});
}

void WindowLayout::save(const QMainWindow& window, const QSplitter& splitter)
{
    setWindowLayout(QStringLiteral("geometry"), window.saveGeometry());
    setWindowLayout(QStringLiteral("splitter"), splitter.saveState());
}
