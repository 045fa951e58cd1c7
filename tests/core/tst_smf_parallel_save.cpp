// Saving on a thread pool and streaming the payloads: the file does not depend on
// the number of threads, equals what the two-phase writer makes from the same levels,
// and nothing reaches the target when the file outgrows its limit.

#include <QDir>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

#include "common/project_fixtures.h"
#include "project/map_project.h"
#include "smf/smf_save_status.h"
#include "smf/smf_stream_writer.h"

class TestSmfParallelSave : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void threadCountDoesNotChangeBytes_data();
    void threadCountDoesNotChangeBytes();
    void layerNotInMemoryIsDecodedInTurn();
    void writerRefusesPassingTheLimit_data();
    void writerRefusesPassingTheLimit();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    // Three levels: edge tiles on both sides, a palette image and transparent pixels.
    void makeProject(MapProject &project) const
    {
        project.setProperties(QStringLiteral("Kelvo"), QStringLiteral("Pool"), QColor(10, 200, 30), 300, 500);
        fixtures::appendCornerLayer(project, fixtures::mapLikeImage(1250, 1100));
        fixtures::appendCornerLayer(project, fixtures::mapLikeImage(610, 990, QImage::Format_Indexed8));
        QImage translucent = fixtures::mapLikeImage(400, 300, QImage::Format_ARGB32);
        translucent.fill(qRgba(0, 0, 0, 0));
        fixtures::appendCornerLayer(project, translucent.copy(0, 0, 350, 300));
    }
    QScopedPointer<QTemporaryDir> m_dir;
    int m_threads = 0;
};

void TestSmfParallelSave::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_threads = QThreadPool::globalInstance()->maxThreadCount();
}

void TestSmfParallelSave::cleanup()
{
    QThreadPool::globalInstance()->setMaxThreadCount(m_threads);
}

void TestSmfParallelSave::threadCountDoesNotChangeBytes_data()
{
    QTest::addColumn<int>("threads");
    QTest::newRow("two threads") << 2;
    QTest::newRow("seven threads, more than tiles in a row") << 7;
    QTest::newRow("sixteen threads, window past a whole level") << 16;
}

void TestSmfParallelSave::threadCountDoesNotChangeBytes()
{
    QFETCH(int, threads);
    MapProject project(65536);
    makeProject(project);

    // Reference: the levels built one by one in memory and written in one pass.
    project.filePath = path(QStringLiteral("reference.smf"));
    for (int i = 0; i < project.layers.size(); ++i)
        QCOMPARE(project.buildLevel(i), 0);
    QCOMPARE(project.writeSmf(), 0);
    const QByteArray reference = fixtures::fileBytes(project.filePath);
    QVERIFY(reference.size() > 148 + 3 * 288);

    QThreadPool::globalInstance()->setMaxThreadCount(1);
    project.filePath = path(QStringLiteral("one.smf"));
    QCOMPARE(project.saveSmf(), 0);
    QCOMPARE(fixtures::fileBytes(project.filePath), reference);

    QThreadPool::globalInstance()->setMaxThreadCount(threads);
    project.filePath = path(QStringLiteral("many.smf"));
    fixtures::RecordingProgress recorder;
    QCOMPARE(project.saveSmf(&recorder), 0);
    QCOMPARE(fixtures::fileBytes(project.filePath), reference);
    // 5 x 3 + 3 x 2 + 2 x 1 tiles, one pump each, and one per layer.
    QCOMPARE(recorder.pumps, 3 + 15 + 6 + 2);
    QVERIFY(project.levelTiles.isEmpty());
}

void TestSmfParallelSave::layerNotInMemoryIsDecodedInTurn()
{
    const QImage image = fixtures::mapLikeImage(700, 520);
    const QString imagePath = path(QStringLiteral("scan.png"));
    QVERIFY(image.save(imagePath));

    MapProject loaded(65536);
    makeProject(loaded);
    fixtures::appendCornerLayer(loaded, image);
    loaded.filePath = path(QStringLiteral("loaded.smf"));
    QCOMPARE(loaded.saveSmf(), 0);

    MapProject fromFile(65536);
    makeProject(fromFile);
    MapLayer *layer = fixtures::appendCornerLayer(fromFile, image);
    layer->sourcePath = imagePath;
    layer->image = QImage();
    layer->loaded = false;
    fromFile.loadedMB -= layer->memoryMB;
    const qint32 loadedBefore = fromFile.loadedMB;
    fromFile.filePath = path(QStringLiteral("from-file.smf"));
    // With a reporter the image decodes on a thread of its own while events are pumped.
    fixtures::RecordingProgress recorder;
    QCOMPARE(fromFile.saveSmf(&recorder), 0);
    QCOMPARE(fixtures::fileBytes(fromFile.filePath), fixtures::fileBytes(loaded.filePath));
    // An image decoded only for the save leaves memory with its tiles; one that was
    // in memory before stays.
    QVERIFY(!layer->loaded);
    QVERIFY(layer->image.isNull());
    QCOMPARE(fromFile.loadedMB, loadedBefore);
    QVERIFY(loaded.layers.last()->loaded);
    QVERIFY(!loaded.layers.last()->image.isNull());

    // Saved again without a reporter, the same bytes.
    fromFile.filePath = path(QStringLiteral("again.smf"));
    QCOMPARE(fromFile.saveSmf(), 0);
    QCOMPARE(fixtures::fileBytes(fromFile.filePath), fixtures::fileBytes(loaded.filePath));
    QVERIFY(!layer->loaded);

    // A one-shot conversion drops every image once its tiles are written.
    fromFile.saveReleasesImages = true;
    fromFile.filePath = path(QStringLiteral("released.smf"));
    QCOMPARE(fromFile.saveSmf(), 0);
    QCOMPARE(fixtures::fileBytes(fromFile.filePath), fixtures::fileBytes(loaded.filePath));
    for (const MapLayer *each : std::as_const(fromFile.layers))
        QVERIFY(!each->loaded);
    QCOMPARE(fromFile.loadedMB, 0);
}

void TestSmfParallelSave::writerRefusesPassingTheLimit_data()
{
    QTest::addColumn<qint64>("maxFileSize");
    QTest::addColumn<int>("tileCount");
    QTest::addColumn<int>("payloadsAccepted");
    // Layout of one level and three tiles: 148 + 288 + 24 = 460 bytes before the payloads.
    QTest::newRow("layout alone too large") << qint64(459) << 3 << -1;
    QTest::newRow("third payload passes the limit") << qint64(460 + 2 * 200 + 199) << 3 << 2;
    QTest::newRow("more payloads than announced") << qint64(100000) << 2 << 2;
    // 8 x 300,000,000 index bytes alone pass what 32-bit offsets describe.
    QTest::newRow("300 million index entries") << qint64(2147483647) << 300000000 << -1;
}

void TestSmfParallelSave::writerRefusesPassingTheLimit()
{
    QFETCH(qint64, maxFileSize);
    QFETCH(int, tileCount);
    QFETCH(int, payloadsAccepted);
    const QString target = path(QStringLiteral("large.smf"));
    QVERIFY(fixtures::writeBytes(target, "old"));
    {
        SmfStreamWriter writer(target, maxFileSize);
        const int begun = writer.begin(1, tileCount);
        if (payloadsAccepted < 0) {
            QCOMPARE(begun, int(kSmfSaveTooLarge));
        } else {
            QCOMPARE(begun, int(kSmfSaveOk));
            for (int i = 0; i < payloadsAccepted; ++i)
                QCOMPARE(writer.appendPayload(QByteArray(200, 'x')), int(kSmfSaveOk));
            QCOMPARE(writer.appendPayload(QByteArray(200, 'x')), int(kSmfSaveTooLarge));
        }
        QVERIFY(writer.errorString().contains(QStringLiteral("larger than")));
    }
    QCOMPARE(fixtures::fileBytes(target), QByteArray("old"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("large.smf")});
}

QTEST_GUILESS_MAIN(TestSmfParallelSave)
#include "tst_smf_parallel_save.moc"
