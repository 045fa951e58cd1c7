#include <QtTest>

#include <QThreadPool>

#include <algorithm>

#include "common/project_fixtures.h"
#include "smf/smf_reader.h"
#include "smf/smf_writer.h"

Q_DECLARE_METATYPE(CalibrationPoint)


// Saving a project as an SMF file: the layout byte by byte, the extent of each level,
// the pixels read back, the same bytes on any number of threads, and the old file
// left alone by every failure.
class TestSmfSave : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_dir.reset(new QTemporaryDir); QVERIFY(m_dir->isValid()); }
    void extent_data();
    void extent();
    void readBackOnAnyThreadCount();
    void writerRefusesPassingTheLimit_data();
    void writerRefusesPassingTheLimit();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QScopedPointer<QTemporaryDir> m_dir;
};

void TestSmfSave::extent_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<CalibrationPoint>("topLeft");
    QTest::addColumn<CalibrationPoint>("bottomRight");
    // left, top, right, bottom, bottom-right x and y, vertical scale; by hand.
    QTest::addColumn<QVector<qint32>>("record");
    using P = CalibrationPoint;
    // stepX = 1000000 / 400 = 2500: left = 0 - 2500 x 100; stepY = -1000000 / 800 = -1250:
    // top = 1000000 + 1250 x 100, bottom = 0 - 1250 x (1000 - 900), right = 1000000 + 2500 x 100.
    QTest::newRow("points inside extend every edge")
        << QSize(600, 1000) << P{100, 100, 0, 1000000} << P{500, 900, 1000000, 0}
        << QVector<qint32>{-250000, 1125000, 1250000, -125000, 500, 900, 1250};
    QTest::newRow("points beyond the canvas keep their values")
        << QSize(300, 500) << P{-10, -10, 5000, 9000} << P{300, 500, 8000, 1000}
        << QVector<qint32>{5000, 9000, 8000, 1000, 300, 500, 15};
    QTest::newRow("bottom-right beyond the image is clamped")
        << QSize(300, 500) << P{0, 0, 0, 3600000} << P{1000, 900, 3600000, 0}
        << QVector<qint32>{0, 3600000, 3600000, 0, 300, 500, 7200};
}

void TestSmfSave::extent()
{
    QFETCH(QSize, size);
    QFETCH(CalibrationPoint, topLeft);
    QFETCH(CalibrationPoint, bottomRight);
    MapProject project(65536);
    project.setProperties(QString(), QString(), QColor(), 300, 500);
    MapLayer *layer = fixtures::appendLayer(project, QImage(size, QImage::Format_RGB32), topLeft, bottomRight);
    layer->scale = 5.0;  // stale: the save works the scale out again for the level
    project.filePath = path(QStringLiteral("extent.smf"));
    QCOMPARE(saveSmf(project), SmfStatus::Ok);
    SmfLevelRecord r;  // the one record, after the 148-byte header
    QVERIFY(SmfLevelRecord::fromBytes(fixtures::fileBytes(project.filePath).mid(148), &r));
    QTEST((QVector<qint32>{r.left, r.top, r.right, r.bottom, r.bottomRightX, r.bottomRightY, r.verticalScale}), "record");
}

void TestSmfSave::readBackOnAnyThreadCount()
{
    MapProject project(65536);
    project.setProperties(QStringLiteral("Kelvo"), QStringLiteral("Pool"), QColor(10, 200, 30), 300, 500);
    // Edge tiles on both sides, partly transparent pixels (a tile inside the image too),
    // a palette image, a 16-bit one (a level read from an SMF file), and a layer read
    // from its file strip by strip when its turn comes, partly transparent too.
    const auto translucent = [](int width, int height) {
        QImage image = fixtures::mapLikeImage(width, height, QImage::Format_ARGB32);
        image.setAlphaChannel(image.convertToFormat(QImage::Format_Grayscale8));
        return image;
    };
    const QVector<QImage> images = {fixtures::mapLikeImage(1250, 1100), translucent(350, 520),
                                    fixtures::mapLikeImage(610, 990, QImage::Format_Indexed8),
                                    fixtures::mapLikeImage(310, 480, QImage::Format_RGB555), translucent(700, 520)};
    for (const QImage &image : images)
        fixtures::appendCornerLayer(project, image);
    QVERIFY(images[4].save(path(QStringLiteral("scan.png"))));
    project.layers[4]->sourcePath = path(QStringLiteral("scan.png"));
    // Reference: the save on one thread.
    project.filePath = path(QStringLiteral("reference.smf"));
    const int poolThreads = QThreadPool::globalInstance()->maxThreadCount();
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    QCOMPARE(saveSmf(project), SmfStatus::Ok);
    const QByteArray reference = fixtures::fileBytes(project.filePath);
    // Read back, each level is its image on whole tiles of the fill colour, 5 bits a component.
    QFile file(project.filePath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    SmfFileIndex index;
    QString error;
    QVERIFY2(readSmfStructure(file, &index, &error), qPrintable(error));
    const QSize levelSizes[] = {QSize(1500, 1500), QSize(600, 1000), QSize(900, 1000), QSize(600, 500),
                                QSize(900, 1000)};
    for (int k = 0; k < 5; ++k)
        QCOMPARE(assembleLevelImage(file, index, k).image,
                 fixtures::savedLevel(images[k], levelSizes[k], qRgb(10, 200, 30)));
    // Saved on 1, 2, 7 threads (more than tiles in a row) and 16 (a window past a whole
    // level): the same bytes. With a reporter the image decodes on a thread of its own
    // while events are pumped.
    for (int threads : {2, 7, 16}) {
        QThreadPool::globalInstance()->setMaxThreadCount(threads);
        project.releaseImage(4);
        const qint32 loadedBefore = project.loadedMB;
        project.changeFlags = MapProject::kLayersChanged;
        fixtures::RecordingProgress recorder;
        QCOMPARE(saveSmf(project, threads % 2 ? &recorder : nullptr), SmfStatus::Ok);
        QVERIFY2(fixtures::fileBytes(project.filePath) == reference, qPrintable(QString::number(threads)));
        QCOMPARE(project.changeFlags, quint8(0));
        // An image decoded only for the save leaves memory with its tiles; the others stay.
        QVERIFY(!project.layers[4]->loaded && project.layers[0]->loaded);
        QCOMPARE(project.loadedMB, loadedBefore);
        QVERIFY(std::is_sorted(recorder.values.begin(), recorder.values.end()));
        QCOMPARE(recorder.values.value(recorder.values.size() - 1, 50), 50);
    }
    QThreadPool::globalInstance()->setMaxThreadCount(poolThreads);
    // A save that fails once the file is begun leaves the old file, and the project
    // still changed: a cancel from the reporter, then an image that no longer decodes.
    const QByteArray scan = fixtures::fileBytes(path(QStringLiteral("scan.png")));
    for (SmfStatus status : {SmfStatus::Cancelled, SmfStatus::ImageError}) {
        if (status == SmfStatus::ImageError)  // the size is read from the header, the pixels are cut short
            QVERIFY(fixtures::writeBytes(path(QStringLiteral("scan.png")), scan.left(scan.size() / 2)));
        project.changeFlags = MapProject::kCalibrationChanged;
        fixtures::RecordingProgress recorder;
        recorder.cancelAfterPumps = status == SmfStatus::Cancelled ? 2 : -1;
        QCOMPARE(saveSmf(project, &recorder), status);
        QVERIFY(!project.errorString().isEmpty());
        QCOMPARE(project.changeFlags, quint8(MapProject::kCalibrationChanged));
        QCOMPARE(recorder.finished, 1);
        QCOMPARE(fixtures::fileBytes(project.filePath), reference);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 2);  // no temporary file left
    }
    // A one-shot conversion drops every image once its tiles are written.
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("scan.png")), scan));
    project.saveReleasesImages = true;
    QCOMPARE(saveSmf(project), SmfStatus::Ok);
    QCOMPARE(fixtures::fileBytes(project.filePath), reference);
    QVERIFY(!project.layers[0]->loaded && !project.layers[2]->loaded);
    QCOMPARE(project.loadedMB, 0);
}

void TestSmfSave::writerRefusesPassingTheLimit_data()
{
    QTest::addColumn<qint64>("maxFileSize");
    QTest::addColumn<int>("tileCount");
    QTest::addColumn<int>("payloadsAccepted");
    // Layout of one level and three tiles: 148 + 288 + 24 = 460 bytes before the payloads.
    QTest::newRow("layout alone too large") << qint64(459) << 3 << -1;
    QTest::newRow("third payload passes the limit by a byte") << qint64(460 + 3 * 200 - 1) << 3 << 2;
    QTest::newRow("third payload ends at the limit") << qint64(460 + 3 * 200) << 3 << 3;
    QTest::newRow("more payloads than announced") << qint64(100000) << 2 << 2;
    // 8 x 300,000,000 index bytes alone pass what 32-bit offsets describe.
    QTest::newRow("300 million index entries") << qint64(2147483647) << 300000000 << -1;
}

void TestSmfSave::writerRefusesPassingTheLimit()
{
    QFETCH(qint64, maxFileSize);
    QFETCH(int, tileCount);
    QFETCH(int, payloadsAccepted);
    const QString target = path(QStringLiteral("large.smf"));
    QVERIFY(fixtures::writeBytes(target, "old"));
    {
        SmfStreamWriter writer(target, maxFileSize);
        QCOMPARE(writer.begin(1, tileCount), payloadsAccepted < 0 ? SmfStatus::TooLarge : SmfStatus::Ok);
        for (int i = 0; i < payloadsAccepted; ++i)
            QCOMPARE(writer.appendPayload(QByteArray(200, 'x')), SmfStatus::Ok);
        if (payloadsAccepted >= 0)
            QCOMPARE(writer.appendPayload(QByteArray(200, 'x')), SmfStatus::TooLarge);
        QVERIFY(writer.errorString().contains(QStringLiteral("larger than")));
    }
    QCOMPARE(fixtures::fileBytes(target), QByteArray("old"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("large.smf")});
    // 32-bit offsets describe files of up to 2,147,483,647 bytes, whatever a caller asks.
    QCOMPARE(SmfStreamWriter(target, qint64(1) << 40).maxFileSize(), qint64(2147483647));
}

QTEST_GUILESS_MAIN(TestSmfSave)
#include "tst_smf_save.moc"
