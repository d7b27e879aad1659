#include "commands.h"

int runStats(const QStringList&)
{
    return fail(QStringLiteral("La commande stats n'est pas encore disponible."));
}
