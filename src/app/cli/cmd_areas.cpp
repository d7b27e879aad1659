#include "commands.h"

int runAreas(const QStringList&)
{
    return fail(QStringLiteral("La commande areas n'est pas encore disponible."));
}
