#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QImageReader>

#include "common/cli_runner.h"
#include "common/project_fixtures.h"
#include "project/map_project.h"

class TestCliSmfRead : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void infoText();
    void infoJsonReplacesUnpairedSurrogates();
    void extract_data();
    void extract();

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

void TestCliSmfRead::extract_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QByteArray>("format");  // what QImageReader finds in the file
    QTest::addColumn<QString>("worldFile");  // empty: no --world-file
    QTest::newRow("png with world file") << "l.png" << QByteArray("png") << "l.pgw";
    QTest::newRow("jpg with world file") << "l.jpg" << QByteArray("jpeg") << "l.jgw";
    QTest::newRow("jpeg, upper case") << "l.JPEG" << QByteArray("jpeg") << QString();
    QTest::newRow("bmp with world file") << "l.bmp" << QByteArray("bmp") << "l.bpw";
    QTest::newRow("tif with world file") << "l.tif" << QByteArray("tiff") << "l.tfw";
    QTest::newRow("tiff") << "l.tiff" << QByteArray("tiff") << QString();
}

void TestCliSmfRead::extract()
{
    QFETCH(QString, output);
    QFETCH(QByteArray, format);
    QFETCH(QString, worldFile);
    QStringList args{QStringLiteral("extract"), QStringLiteral("valid.smf"), QStringLiteral("1"), output};
    if (!worldFile.isEmpty())
        args << QStringLiteral("--world-file");
    const cli::Result result = cli::run(m_dir.path(), args);
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.err.isEmpty());
    QImageReader reader(path(output));
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QCOMPARE(image.size(), QSize(300, 1000));
    QVERIFY(qGreen(image.pixel(280, 950)) > 240 && qRed(image.pixel(280, 950)) < 10);  // fill beyond the 250 x 900 image
    if (worldFile.isEmpty())
        return;
    // Read back by the rules GIS programs apply: six lines A D B E C F, the last two the
    // centre of the top-left pixel; the edges must be the level record's extent.
    const QList<QByteArray> lines = fixtures::fileBytes(path(worldFile)).trimmed().split('\n');
    QCOMPARE(lines.size(), 6);
    double v[6];
    for (int i = 0; i < 6; ++i)
        v[i] = lines.at(i).toDouble();
    const double left = v[4] - 0.5 * v[0] - 0.5 * v[2];
    const double top = v[5] - 0.5 * v[1] - 0.5 * v[3];
    const QJsonObject level = QJsonDocument::fromJson(cli::run(m_dir.path(), {QStringLiteral("info"),
        QStringLiteral("valid.smf"), QStringLiteral("--json")}).out).object().value(QStringLiteral("levels")).toArray().at(1).toObject();
    const auto degrees = [&level](const char *field) { return level.value(QLatin1String(field)).toInt() / 3600000.0; };
    QCOMPARE(v[1], 0.0);
    QCOMPARE(v[2], 0.0);
    QVERIFY(qAbs(left - degrees("left")) < 1e-12);
    QVERIFY(qAbs(top - degrees("top")) < 1e-12);
    QVERIFY(qAbs(left + 300 * v[0] - degrees("right")) < 1e-12);
    QVERIFY(qAbs(top + 1000 * v[3] - degrees("bottom")) < 1e-12);
    const QString prj = output.left(output.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".prj");
    QVERIFY(fixtures::fileBytes(path(prj)).startsWith("GEOGCS[\"GCS_WGS_1984\""));
}

QTEST_GUILESS_MAIN(TestCliSmfRead)
#include "tst_cli_smf_read.moc"
