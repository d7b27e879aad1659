#include "commands.h"

int runCampaigns(const QStringList&)
{
    return fail(QStringLiteral("La commande campaigns n'est pas encore disponible."));
}
