#include "vistrelresource.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
void initVistrelResources()
{
    Q_INIT_RESOURCE(vistrel_resource);
    Q_INIT_RESOURCE(vistrel_map);
}
