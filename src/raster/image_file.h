#pragma once

#include <QFile>
#include <QIODevice>
#include <QImage>
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

// Why readImageFile gave no image.
enum ImageFileStatus {
    kImageFileOk = 0,
    kImageFileUnreadable = -1,  // the file is missing or cannot be opened or read
    kImageFileInvalid = -2,     // not an image the library can decode, damaged, or too large
};

// Reads an image file in any format the image library recognises from its content.
// The library's allocation limit is raised as far as the image needs, up to
// budgetMB (MiB), so that large scans (20000 x 20000) load. Returns a null image
// when the file cannot be read or decoded, or needs more than budgetMB; then
// *status (may be nullptr) is an ImageFileStatus and *error (may be nullptr) says
// why ("No such file or directory", "unsupported image format", ...).
// position (may be nullptr) follows how far into the file the decoder has read, in
// bytes, for another thread to show progress.
QImage readImageFile(const QString &path, qint32 budgetMB, std::atomic<qint64> *position = nullptr,
                     int *status = nullptr, QString *error = nullptr);

class ImageRowReader;

// What readImageFile does once the file is open: reads every row of reader (nullptr
// when opening failed with opened and reason) within budgetMB.
QImage readWholeImage(ImageRowReader *reader, int opened, const QString &reason, qint32 budgetMB, int *status,
                      QString *error);
