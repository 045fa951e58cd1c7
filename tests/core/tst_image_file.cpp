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
    void decodesAsByName_data();
    void decodesAsByName();
    void refusal_data();
    void refusal();
    void longJobDecodeKeepsReporting();

private:
    QTemporaryDir m_dir;
};

void TestImageFile::decodesAsByName_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QString>("name");
    QTest::newRow("PNG") << QByteArray("PNG") << QStringLiteral("scan.png");
    QTest::newRow("JPEG") << QByteArray("JPEG") << QStringLiteral("scan.jpg");
    QTest::newRow("BMP") << QByteArray("BMP") << QStringLiteral("scan.bmp");
    // Scans renamed by hand: the content decides the format, not the suffix.
    QTest::newRow("PNG named .jpg") << QByteArray("PNG") << QStringLiteral("renamed.jpg");
}

void TestImageFile::decodesAsByName()
{
    QFETCH(QByteArray, format);
    QFETCH(QString, name);
    const QString path = m_dir.filePath(name);
    QVERIFY(fixtures::mapLikeImage(640, 480).save(path, format.constData()));
    std::atomic<qint64> position{0};
    QImage byName;
    QVERIFY(byName.load(path, format.constData()));
    QCOMPARE(readImageFile(path, 4096, &position), byName);
    QVERIFY(position.load() > QFileInfo(path).size() / 2 && position.load() <= QFileInfo(path).size());
}

void TestImageFile::refusal_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("expected");  // in the reason
    QByteArray png;
    QBuffer buffer(&png);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && fixtures::mapLikeImage(64, 64).save(&buffer, "PNG"));
    // The same PNG claiming 60000 x 60000 pixels: up to 27 GB decoded.
    QByteArray huge = png;
    qToBigEndian<quint32>(60000, huge.data() + 16);
    qToBigEndian<quint32>(60000, huge.data() + 20);
    qToBigEndian<quint32>(quint32(crc32(0, reinterpret_cast<const Bytef *>(huge.constData() + 12), 17)), huge.data() + 29);
    QTest::newRow("larger than the memory budget") << huge << int(kImageFileInvalid) << "more than the memory limit";
    QTest::newRow("PNG without its image data") << png.left(40) << int(kImageFileInvalid) << "damaged image data";
}

void TestImageFile::refusal()
{
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath(QStringLiteral("refused.img"));
    QVERIFY(fixtures::writeBytes(path, bytes));
    int status = kImageFileOk;
    QString reason;
    QVERIFY(readImageFile(path, 4096, nullptr, &status, &reason).isNull());
    QTEST(status, "status");
    QFETCH(QString, expected);
    QVERIFY2(reason.contains(expected), qPrintable(reason));
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
