#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>

#include "common/cli_runner.h"
#include "common/project_fixtures.h"
#include "project/map_project.h"
#include "smf/smf_file_index.h"
#include "smf/smf_layout.h"

namespace {

void putInt(QByteArray &bytes, qint64 offset, quint32 value)
{
    qToLittleEndian<quint32>(value, reinterpret_cast<uchar *>(bytes.data()) + offset);
}

}  // namespace

class TestCliSmfRead : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void infoText();
    void infoJsonReplacesUnpairedSurrogates();
    void extractEachLevel();
    void usage_data();
    void usage();
    void damaged_data();
    void damaged();
    void damagedPayloadIsDrawnWhite();
    void unwritableOutput();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
    QByteArray m_valid;  // two levels: 2 x 1 tiles of 300 x 500, then 1 x 2
};

void TestCliSmfRead::initTestCase()
{
    QVERIFY(m_dir.isValid());
    MapProject project(65536);
    project.setProperties(QStringLiteral("Kelvo"), QStringLiteral("Read"), QColor(0, 255, 0), 300, 500);
    fixtures::appendCornerLayer(project, fixtures::mapLikeImage(600, 500));
    fixtures::appendCornerLayer(project, fixtures::mapLikeImage(250, 900));
    project.filePath = path(QStringLiteral("valid.smf"));
    QCOMPARE(project.saveSmf(), 0);
    m_valid = fixtures::fileBytes(project.filePath);
}

void TestCliSmfRead::infoText()
{
    const cli::Result info = cli::run(m_dir.path(), {QStringLiteral("info"), QStringLiteral("valid.smf")});
    QCOMPARE(info.exitCode, 0);
    const QString text = QString::fromUtf8(info.out);
    QVERIFY(text.contains(QStringLiteral("mapName       Read")));
    QVERIFY(text.contains(QStringLiteral("levelCount    2")));
    QVERIFY(text.contains(QStringLiteral("tileCount     4")));
    QVERIFY(text.contains(QStringLiteral("level 1\n")));
    QVERIFY(text.contains(QStringLiteral("  firstTile       2\n")));
    QVERIFY(info.err.isEmpty());
}

void TestCliSmfRead::infoJsonReplacesUnpairedSurrogates()
{
    QByteArray bytes = m_valid;
    bytes.replace(4, 6, QByteArray("A\0\x3D\xD8\0\0", 6));  // "A", a lone high surrogate, then 0
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("surrogate.smf")), bytes));
    const cli::Result info =
        cli::run(m_dir.path(), {QStringLiteral("info"), QStringLiteral("surrogate.smf"), QStringLiteral("--json")});
    QCOMPARE(info.exitCode, 0);
    // Valid UTF-8 throughout.
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder.decode(info.out);
    QVERIFY(!decoder.hasError());
    QVERIFY(decoded.contains(QChar(QChar::ReplacementCharacter)));
    const QJsonObject object = QJsonDocument::fromJson(info.out).object();
    QCOMPARE(object.value(QStringLiteral("cartographer")).toString(),
             QStringLiteral("A") + QChar(QChar::ReplacementCharacter));
    QCOMPARE(object.value(QStringLiteral("levels")).toArray().size(), 2);
    QCOMPARE(object.value(QStringLiteral("levels")).toArray().at(1).toObject().value(QStringLiteral("tileRows")).toInt(), 2);
}

void TestCliSmfRead::extractEachLevel()
{
    const cli::Result second = cli::run(m_dir.path(), {QStringLiteral("extract"), QStringLiteral("valid.smf"),
                                                       QStringLiteral("1"), QStringLiteral("second.png")});
    QCOMPARE(second.exitCode, 0);
    const QImage image(path(QStringLiteral("second.png")));
    QCOMPARE(image.size(), QSize(300, 1000));
    QCOMPARE(image.pixel(280, 950), qRgb(0, 255, 0));  // fill beyond the 250 x 900 image
    QVERIFY(second.err.isEmpty());
}

void TestCliSmfRead::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    const QString valid = QStringLiteral("valid.smf");
    QTest::newRow("info without file") << QStringList{QStringLiteral("info")} << 2;
    QTest::newRow("info with two files") << QStringList{QStringLiteral("info"), valid, valid} << 2;
    QTest::newRow("info with unknown option") << QStringList{QStringLiteral("info"), valid, QStringLiteral("--xml")} << 2;
    QTest::newRow("extract without output") << QStringList{QStringLiteral("extract"), valid, QStringLiteral("0")} << 2;
    QTest::newRow("extract level not a number")
        << QStringList{QStringLiteral("extract"), valid, QStringLiteral("one"), QStringLiteral("o.png")} << 2;
    QTest::newRow("extract negative level")
        << QStringList{QStringLiteral("extract"), valid, QStringLiteral("-1"), QStringLiteral("o.png")} << 2;
    QTest::newRow("extract level that does not exist")
        << QStringList{QStringLiteral("extract"), valid, QStringLiteral("2"), QStringLiteral("o.png")} << 1;
    QTest::newRow("info of a missing file") << QStringList{QStringLiteral("info"), QStringLiteral("gone.smf")} << 3;
}

void TestCliSmfRead::usage()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    const cli::Result result = cli::run(m_dir.path(), args);
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY(!result.err.isEmpty());
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("o.png"))));
}

void TestCliSmfRead::damaged_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const qint64 index = tileIndexOffset(2);
    QTest::newRow("truncated header") << m_valid.left(60) << "too short";
    QTest::newRow("truncated index") << m_valid.left(int(index) + 12) << "truncated";
    QByteArray pastEnd = m_valid;
    putInt(pastEnd, index + 3 * 8, quint32(m_valid.size() - 10));  // last tile's offset
    putInt(pastEnd, index + 3 * 8 + 4, 4000);
    QTest::newRow("entry past the end") << pastEnd << "points outside";
    QTest::newRow("foreign file") << QByteArray(500, 'P') << "not an SMF file";
    QByteArray hugeLevels = m_valid;
    putInt(hugeLevels, 132, 0x10000000);
    QTest::newRow("level count far beyond the file") << hugeLevels << "truncated";
}

void TestCliSmfRead::damaged()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("damaged.smf")), bytes));
    const QStringList commands[] = {
        {QStringLiteral("info"), QStringLiteral("damaged.smf")},
        {QStringLiteral("info"), QStringLiteral("damaged.smf"), QStringLiteral("--json")},
        {QStringLiteral("extract"), QStringLiteral("damaged.smf"), QStringLiteral("0"), QStringLiteral("d.png")},
    };
    for (const QStringList &args : commands) {
        const cli::Result result = cli::run(m_dir.path(), args);
        QVERIFY(!result.crashed);
        QCOMPARE(result.exitCode, 3);
        QVERIFY2(QString::fromUtf8(result.err).contains(reason), result.err.constData());
        QVERIFY(result.out.isEmpty());
    }
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("d.png"))));
}

void TestCliSmfRead::damagedPayloadIsDrawnWhite()
{
    QBuffer buffer(&m_valid);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    SmfFileIndex index;
    QString error;
    QVERIFY(readSmfStructure(buffer, &index, &error));
    QByteArray bytes = m_valid;
    const SmfTileIndexEntry left = index.tile(0, 0, 0);
    bytes.replace(left.offset, 6, "notzip");
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("payload.smf")), bytes));

    QCOMPARE(cli::run(m_dir.path(), {QStringLiteral("info"), QStringLiteral("payload.smf")}).exitCode, 0);
    const cli::Result extract = cli::run(m_dir.path(), {QStringLiteral("extract"), QStringLiteral("payload.smf"),
                                                        QStringLiteral("0"), QStringLiteral("white.png")});
    QCOMPARE(extract.exitCode, 0);
    QVERIFY2(extract.err.contains("warning: tile (0, 0) of level 0 is damaged"), extract.err.constData());
    const QImage image(path(QStringLiteral("white.png")));
    QCOMPARE(image.size(), QSize(600, 500));
    QCOMPARE(image.pixel(10, 10), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(299, 499), qRgb(255, 255, 255));
    QVERIFY(image.pixel(310, 10) != qRgb(255, 255, 255));
}

void TestCliSmfRead::unwritableOutput()
{
    const cli::Result result = cli::run(m_dir.path(), {QStringLiteral("extract"), QStringLiteral("valid.smf"),
                                                       QStringLiteral("0"), QStringLiteral("valid.smf/x.png")});
    QCOMPARE(result.exitCode, 3);
    QVERIFY2(result.err.contains("cannot write"), result.err.constData());
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("valid.smf"))), m_valid);
}

QTEST_GUILESS_MAIN(TestCliSmfRead)
#include "tst_cli_smf_read.moc"
