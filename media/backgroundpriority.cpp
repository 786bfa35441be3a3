#include "backgroundpriority.h"

#include <cerrno>
#include <sys/resource.h>

void BackgroundPriority::lowerCurrentThread()
{
    // With PRIO_PROCESS and 0, Linux acts on the calling thread alone.
    errno = 0;
    const int now = getpriority(PRIO_PROCESS, 0);
    if (now == -1 && errno != 0)
        return;
    (void)setpriority(PRIO_PROCESS, 0, now + NiceIncrement);
}
