// Reading layer images: every format decodes through the watched file exactly as the
// image library decodes the file by name, and the watched position reaches the end
// of the image data.

#include <QTemporaryDir>
#include <QtTest>

#include <zlib.h>

#include "common/project_fixtures.h"
#include "project/image_file.h"
#include "project/map_project.h"

class TestImageFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void longJobDecodeKeepsReporting();

private:
    QTemporaryDir m_dir;
};

void TestImageFile::read_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("format");  // as the image library decodes the bytes
    QTest::addColumn<QString>("refusal");    // in the reason; empty: the file decodes
    const auto encoded = [](const char *format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        return buffer.open(QIODevice::WriteOnly) && fixtures::mapLikeImage(640, 480).save(&buffer, format) ? bytes
                                                                                                           : QByteArray();
    };
    for (const char *format : {"PNG", "JPEG", "BMP"})
        QTest::newRow(format) << QStringLiteral("scan.") + QString::fromLatin1(format).toLower() << encoded(format)
                              << QByteArray(format) << QString();
    // Scans renamed by hand: the content decides the format, not the suffix.
    const QByteArray png = encoded("PNG");
    QTest::newRow("PNG named .jpg") << "renamed.jpg" << png << QByteArray("PNG") << QString();
    // The same PNG claiming 60000 x 60000 pixels: up to 27 GB decoded.
    QByteArray huge = png;
    qToBigEndian<quint32>(60000, huge.data() + 16);
    qToBigEndian<quint32>(60000, huge.data() + 20);
    qToBigEndian<quint32>(quint32(crc32(0, reinterpret_cast<const Bytef *>(huge.constData() + 12), 17)), huge.data() + 29);
    QTest::newRow("larger than the memory budget") << "refused.img" << huge << QByteArray() << "more than the memory limit";
    QTest::newRow("PNG without its image data") << "refused.img" << png.left(40) << QByteArray() << "damaged image data";
}

void TestImageFile::read()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, format);
    QFETCH(QString, refusal);
    const QString path = m_dir.filePath(name);
    QVERIFY(fixtures::writeBytes(path, bytes));
    std::atomic<qint64> position{0};
    int status = kImageFileOk;
    QString reason;
    const QImage image = readImageFile(path, 4096, &position, &status, &reason);
    QCOMPARE(status, int(refusal.isEmpty() ? kImageFileOk : kImageFileInvalid));
    QVERIFY2(reason.contains(refusal), qPrintable(reason));
    QCOMPARE(image.isNull(), !refusal.isEmpty());
    if (image.isNull())
        return;
    QCOMPARE(image, QImage::fromData(bytes, format.constData()));
    QVERIFY(position.load() > bytes.size() / 2 && position.load() <= bytes.size());
}

void TestImageFile::longJobDecodeKeepsReporting()
{
    const QString path = m_dir.filePath(QStringLiteral("layer.png"));
    const QImage source = fixtures::mapLikeImage(900, 700);
    QVERIFY(source.save(path));
    MapProject project(65536);
    QCOMPARE(project.addImageLayer(path), 0);
    project.releaseImage(0);
    fixtures::RecordingProgress progress;
    bool decoded = false;
    const QImage *image = project.layerImage(0, &progress, &decoded);
    QVERIFY(decoded);
    QCOMPARE(image->size(), source.size());
    // Only how far the file has been read, 0 to 1, whole units as the recorder sees them.
    for (int value : std::as_const(progress.values))
        QVERIFY(value == 0 || value == 1);
    QCOMPARE(progress.values.size(), progress.pumps);

    // In memory now: nothing to decode, nothing pumped.
    QCOMPARE(project.layerImage(0, &progress, &decoded), image);
    QVERIFY(!decoded);
}

QTEST_GUILESS_MAIN(TestImageFile)
#include "tst_image_file.moc"
