// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/aboutbox.h"

#include "core/userdialogs.h"
#include "core/version.h"

#include <QCoreApplication>

void showAboutBox()
{
    const char* const contact = "support@tramola.example";
    const QString product = QLatin1String(tramola::productName);
    const QString text = QStringLiteral("<B>") + product + QStringLiteral("</B><BR>")
        + QCoreApplication::translate("MainWindow", "Révision : ") + QLatin1String(tramola::productVersion)
        + QStringLiteral("<br>    Date: ") + QLatin1String(tramola::productDate)
        + QStringLiteral("<br><br>Contact : <a href=\"mailto:%1\">%1</a>").arg(QLatin1String(contact));
    userDialogs().message(UserDialogs::Icon::Information,
                          QCoreApplication::translate("MainWindow", "À propos de %1").arg(product), text);
}
