// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/divideraction.h"

#include "analysis/speedstatistics.h"

#include <QCoreApplication>

DividerAction::DividerAction(QObject* parent) : QAction(parent)
{
    setObjectName(QStringLiteral("actionDivider"));
    setCheckable(true);
    setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));
}

void DividerAction::show(int range, bool dividerOff)
{
    const int divider = SpeedStatistics::dividerForRange(quint16(range));
    setChecked(!dividerOff);
    setText(QCoreApplication::translate("MainWindow", "&Diviseur de portée : %1 relevés = 1 véhicule").arg(divider));
    setStatusTip(QCoreApplication::translate("MainWindow",
                                             "Coché, %1 relevés du radar comptent pour un véhicule (portée %2 m) ; "
                                             "décoché, chaque relevé compte pour un véhicule")
                     .arg(divider)
                     .arg(range));
}
