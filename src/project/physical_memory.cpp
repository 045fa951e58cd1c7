#include "project/physical_memory.h"

#include <limits>

#include <unistd.h>

qint32 physicalMemoryMB(qint64 pages, qint64 pageSize)
{
    if (pages <= 0 || pageSize <= 0)
        return 0;
    const qint64 maxMB = std::numeric_limits<qint32>::max();
    // pages x pageSize could pass 64 bits only on absurd input; divide first then.
    if (pages > std::numeric_limits<qint64>::max() / pageSize)
        return qint32(maxMB);
    return qint32(qMin((pages * pageSize) >> 20, maxMB));
}

qint32 queryPhysicalMemoryMB()
{
    return physicalMemoryMB(sysconf(_SC_PHYS_PAGES), sysconf(_SC_PAGESIZE));
}
