#pragma once

#include <QtGlobal>

// Total physical memory in MiB from a page count and a page size in bytes:
// (pages x pageSize) >> 20, saturated at the 32-bit maximum; 0 when either is not
// positive.
qint32 physicalMemoryMB(qint64 pages, qint64 pageSize);

// Total physical memory of this machine in MiB, asked of the operating system;
// 0 when it cannot be asked.
qint32 queryPhysicalMemoryMB();
