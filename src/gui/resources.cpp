// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/resources.h"

#include <QtGlobal>

void initTramolaResources()
{
    // Referencing the packed images keeps them in a static link.
    Q_INIT_RESOURCE(images);
}
