// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogrunner.h"

#include <QDialog>

namespace {
DialogRunner& currentRunner()
{
    static DialogRunner runner;
    return runner;
}
}   // namespace

int runDialog(QDialog& dialog)
{
    if (currentRunner())
        return currentRunner()(dialog);
    return dialog.exec();
}

void setDialogRunner(DialogRunner runner)
{
    currentRunner() = std::move(runner);
}
