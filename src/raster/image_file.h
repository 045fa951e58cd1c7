#pragma once

#include <QFile>
#include <QIODevice>
#include <QString>
#include <QtGlobal>

#include <atomic>

// Total physical memory in MiB from a page count and a page size in bytes:
// (pages x pageSize) >> 20, saturated at the 32-bit maximum; 0 when either is not
// positive.
qint32 physicalMemoryMB(qint64 pages, qint64 pageSize);

// Total physical memory of this machine in MiB, asked of the operating system;
// 0 when it cannot be asked.
qint32 queryPhysicalMemoryMB();

// Lets the image library decode images of up to budgetMB (MiB) each: its own limit is a
// few hundred MiB, and a map scan of 20000 x 20000 pixels needs more. The readers
// refuse, with their own reason, what passes the budget. Call once at start-up, before
// other threads run.
void setImageAllocationLimit(qint32 budgetMB);

// Makes every allocation of 1 MiB or more (strips of image rows, decoded images) come
// from the system and go back to it when freed, instead of staying in the heap: the
// C library would otherwise raise that threshold to the largest block freed, and
// strips freed on other threads would leave the heap holding several of them. Call
// once at start-up, before other threads run.
void returnLargeBlocksToSystem();

// A read-only file whose progress another thread may watch: after every read,
// *position holds how many bytes the reader has read, at most the file's size (a
// decoder that reads a file from its end, as BMP rows are stored bottom first, still
// moves forward). Unbuffered, so the bytes are those of the file itself.
class CountingFile : public QIODevice
{
public:
    // position: not owned, must outlive the device.
    CountingFile(const QString &path, std::atomic<qint64> *position);

    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return false; }
    qint64 size() const override { return m_file.size(); }
    bool seek(qint64 pos) override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QFile m_file;
    std::atomic<qint64> *m_position;
    qint64 m_read = 0;
};

// How reading an image file went.
enum class ImageFileStatus : quint8 {
    Ok,
    Unreadable,  // the file is missing or cannot be opened or read
    Invalid,     // not an image the library can decode, damaged, or too large
};
