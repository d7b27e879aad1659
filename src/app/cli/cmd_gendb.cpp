#include "commands.h"

int runGendb(const QStringList&)
{
    return fail(QStringLiteral("La commande gendb n'est pas encore disponible."));
}
