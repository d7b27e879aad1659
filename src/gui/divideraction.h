// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>

// "Diviseur de portée" (Ctrl+D): ticked, the number of readings the radar takes of one vehicle at
// its range counts for one vehicle; unticked, each reading counts. Its text gives that number.
class DividerAction : public QAction
{
public:
    explicit DividerAction(QObject* parent = nullptr);

    // The range and switch of the analysis shown.
    void show(int range, bool dividerOff);
};
