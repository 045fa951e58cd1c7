#include <QtTest>

#include "common/wfl_fixtures.h"
#include "smf/wfl_sidecar.h"
#include "smf/wfl_status.h"

class TestWflSidecar : public QObject
{
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void missingFileIsAReadError();
    void partCornerIsLeftAndTop();
};

void TestWflSidecar::read_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("right");
    QTest::addColumn<QString>("errorPart");  // for failures: what the message must say

    // Expected values by hand: degrees x 3600000, truncated toward zero.
    QTest::newRow("downloader sidecar, LF, Java notation")
        << QByteArray("256\n256\n0.0\n0.0\n51.5\n-0.0\n51.495\n9.441375732421875E-4\n0.0\n0.0\n") << int(kWflOk)
        << 185400000 << 0 << 185382000 << 3398 << QString();  // 3398.895... truncated
    QTest::newRow("CR LF line ends, negative values")
        << QByteArray("1\r\n2\r\n3\r\n4\r\n-33.25\r\n-70.5\r\n-33.5\r\n-70.25\r\n") << int(kWflOk)
        << -119700000 << -253800000 << -120600000 << -252900000 << QString();
    QTest::newRow("CR line ends, exponent with plus, blanks around")
        << QByteArray("a\rb\rc\rd\r 1.5E+1 \r\t120\r1.0e1\r121.0000001\r") << int(kWflOk)
        << 54000000 << 432000000 << 36000000 << 435600000 << QString();  // 121.0000001 truncates
    QTest::newRow("exactly eight lines without a final line end")
        << QByteArray("x\nx\nx\nx\n1\n2\n0.5\n2.5") << int(kWflOk) << 3600000 << 7200000 << 1800000 << 9000000
        << QString();
    QTest::newRow("negative zero near zero: -1E-9 truncates to 0")
        << QByteArray("x\nx\nx\nx\n1E-9\n-1E-9\n-0.0\n0.0\n") << int(kWflOk) << 0 << 0 << 0 << 0 << QString();

    QTest::newRow("broken download: seven lines")
        << QByteArray("1\n2\n3\n4\n51.5\n0.0\n51.49\n") << int(kWflInvalidTiles) << 0 << 0 << 0 << 0
        << QStringLiteral("line 8");
    QTest::newRow("empty file") << QByteArray() << int(kWflInvalidTiles) << 0 << 0 << 0 << 0
                                << QStringLiteral("line 5");
    QTest::newRow("text on line 7") << QByteArray("1\n2\n3\n4\n51.5\n0.0\nabc\n1.0\n") << int(kWflInvalidTiles)
                                    << 0 << 0 << 0 << 0 << QStringLiteral("line 7");
    QTest::newRow("decimal comma") << QByteArray("1\n2\n3\n4\n51,5\n0.0\n51.0\n1.0\n") << int(kWflInvalidTiles)
                                   << 0 << 0 << 0 << 0 << QStringLiteral("line 5");
    QTest::newRow("empty line 6") << QByteArray("1\n2\n3\n4\n51.5\n\n51.0\n1.0\n") << int(kWflInvalidTiles)
                                  << 0 << 0 << 0 << 0 << QStringLiteral("line 6");
    QTest::newRow("not a finite number") << QByteArray("1\n2\n3\n4\n51.5\n0.0\n51.0\ninf\n")
                                         << int(kWflInvalidTiles) << 0 << 0 << 0 << 0 << QStringLiteral("line 8");
    QTest::newRow("latitude beyond 90") << QByteArray("1\n2\n3\n4\n95\n0.0\n51.0\n1.0\n") << int(kWflInvalidTiles)
                                        << 0 << 0 << 0 << 0 << QStringLiteral("line 5");
    QTest::newRow("longitude beyond 180") << QByteArray("1\n2\n3\n4\n51.5\n0.0\n51.0\n180.5\n")
                                          << int(kWflInvalidTiles) << 0 << 0 << 0 << 0 << QStringLiteral("line 8");
}

void TestWflSidecar::read()
{
    QFETCH(QByteArray, text);
    QFETCH(int, status);
    QFETCH(QString, errorPart);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("OpenStreetMap 15_0x0.wfl"));
    QVERIFY(wfl::writeFile(path, text));

    WflSidecarEdges edges;
    QString error;
    QCOMPARE(readWflSidecar(path, &edges, &error), status);
    if (status != kWflOk) {
        QVERIFY2(error.contains(path) && error.contains(errorPart), qPrintable(error));
        return;
    }
    QFETCH(int, top);
    QFETCH(int, left);
    QFETCH(int, bottom);
    QFETCH(int, right);
    QCOMPARE(edges.top, top);
    QCOMPARE(edges.left, left);
    QCOMPARE(edges.bottom, bottom);
    QCOMPARE(edges.right, right);
}

void TestWflSidecar::missingFileIsAReadError()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("15_0x0.wfl"));
    WflSidecarEdges edges;
    QString error;
    QCOMPARE(readWflSidecar(path, &edges, &error), int(kWflReadError));
    QVERIFY2(error.contains(path), qPrintable(error));
}

void TestWflSidecar::partCornerIsLeftAndTop()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("15 (1)_0x0.wfl"));
    QVERIFY(wfl::writeFile(path, wfl::sidecarText(47.25, 8.5, 47.0, 8.75)));
    qint32 longitude = 0, latitude = 0;
    QString error;
    QCOMPARE(readWflPartCorner(path, &longitude, &latitude, &error), int(kWflOk));
    QCOMPARE(longitude, 30600000);  // 8.5 x 3600000
    QCOMPARE(latitude, 170100000);  // 47.25 x 3600000
}

QTEST_GUILESS_MAIN(TestWflSidecar)
#include "tst_wfl_sidecar.moc"
