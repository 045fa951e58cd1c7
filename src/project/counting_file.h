#pragma once

#include <QFile>
#include <QIODevice>

#include <atomic>

// A read-only file whose read position another thread may watch: after every read,
// *position holds how far into the file the reader has got (bytes). Unbuffered, so
// the position is that of the file itself.
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
};
