#include "ui/resources_init.h"

#include <QtGlobal>

static void registerResources()
{
    Q_INIT_RESOURCE(mapvane);
}

void ensureMapvaneResources()
{
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
}
