// Where mapvane-cli refuses to write: an output that is a folder, a device, a pipe or a
// socket, or one of the inputs (an image, its world file, .prj or .aux.xml, an
// OziExplorer file or the image it names, a tile or sidecar of a WFL folder, the
// settings file, the SMF file read). Each is refused with exit 2 naming it, before
// anything is written: every regular file keeps its bytes, every node stays what it
// was, and the pipe's reader gets nothing.

#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include "common/cli_runner.h"
#include "common/ozi_fixtures.h"
#include "common/project_fixtures.h"
#include "common/wfl_fixtures.h"

namespace {

// The type bits of a path (S_IFCHR, S_IFIFO, ...), 0 when it does not exist.
mode_t typeOf(const QString &path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & S_IFMT : 0;
}

bool makeSocket(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (fd < 0 || name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);  // the socket file stays
    return bound;
}

}  // namespace

class TestCliOutputs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void refused_data();
    void refused();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
    int m_reader = -1;  // the read end of the pipe, open all along
};

void TestCliOutputs::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(fixtures::mapLikeImage(100, 100).save(path(QStringLiteral("map.png"))));
    // An image placed by its sidecars, as GIS programs leave them beside it.
    QVERIFY(fixtures::mapLikeImage(100, 100).save(path(QStringLiteral("wf.png"))));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("wf.pgw")), "0.01\n0\n0\n-0.01\n10.005\n45.995\n"));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("wf.prj")),
                                 "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,"
                                 "298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]"));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("wf.png.aux.xml")), "<PAMDataset>\n</PAMDataset>\n"));
    QVERIFY(fixtures::mapLikeImage(1000, 800).save(path(QStringLiteral("topo.png"))));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("topo.wld")), "0.001\n0\n0\n-0.001\n10\n46\n"));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("topo.map")), fixtures::oziMapFile("topo.png", fixtures::fourCorners())));
    QVERIFY(wfl::writeCutMap(path(QStringLiteral("tiles")), wfl::patternImage(100, 50, 1), QSize(40, 30), wfl::MapGeo(),
                             wfl::plainNames(15)));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("cfg.ini")), "Ann\nAtlas\n1\n2\n3\n"));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("config.ini")), "Bo\nBoth\n4\n5\n6\n"));
    QCOMPARE(cli::run(m_dir.path(), cli::words(QStringLiteral("convert a.smf map.png@10,46,11,45"))).exitCode, 0);
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.png")));

    // A device node of the test's own: the null device's numbers, so that a write
    // through it harms nothing. Creating one needs privilege; as root it must work.
    const QByteArray device = QFile::encodeName(path(QStringLiteral("device")));
    if (::mknod(device.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        QVERIFY2(::geteuid() != 0, qPrintable(QStringLiteral("mknod as root: %1").arg(QString::fromLocal8Bit(std::strerror(errno)))));
        qWarning("mknod is not permitted: the device row writes to a socket instead");
        QVERIFY(makeSocket(path(QStringLiteral("device"))));
    }
    QVERIFY(makeSocket(path(QStringLiteral("socket"))));
    // A pipe with a reader, so that opening it for writing would not block and bytes
    // written into it would arrive.
    for (const char *name : {"pipe", "pipe.pgw"})
        QCOMPARE(::mkfifo(QFile::encodeName(path(QString::fromLatin1(name))).constData(), 0644), 0);
    m_reader = ::open(QFile::encodeName(path(QStringLiteral("pipe"))).constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(m_reader >= 0);
}

void TestCliOutputs::cleanupTestCase()
{
    if (m_reader >= 0)
        ::close(m_reader);
}

void TestCliOutputs::refused_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, const char *line, const char *message) {
        QTest::newRow(name) << cli::words(QString::fromUtf8(line)) << QString::fromUtf8(message);
    };
    const char notRegular[] = "is not a regular file (a device, a pipe or a socket), which is never replaced";
    row("convert to a device", "convert device map.png@10,46,11,45", notRegular);
    row("convert to a pipe", "convert pipe map.png@10,46,11,45", notRegular);
    row("convert to a socket", "convert socket map.png@10,46,11,45", notRegular);
    row("convert to a folder", "convert folder.png map.png@10,46,11,45", "the output folder.png is a folder");
    row("wfl to a device", "wfl tiles -o device", notRegular);
    row("wfl to a pipe, --output=", "wfl tiles --output=pipe", notRegular);
    row("wfl to a folder", "wfl tiles -o folder.png", "is a folder");
    row("extract to a pipe", "extract a.smf 0 pipe", notRegular);
    row("extract to a device", "extract a.smf 0 device", notRegular);
    row("extract whose world file would go into a pipe", "extract a.smf 0 pipe.png --world-file",
        "the output pipe.pgw is not a regular file");
    row("extract to a folder", "extract a.smf 0 folder.png", "is a folder");

    row("convert to the image by another path", "convert tiles/../map.png map.png@10,46,11,45",
        "the output tiles/../map.png is the input map.png");
    row("convert to the world file of a layer", "convert wf.pgw wf.png@10,46,11,45", "the output wf.pgw is the input");
    row("convert to the world file of a raster read by it", "convert wf.pgw wf.png", "the output wf.pgw is the input");
    row("convert to the .prj of a layer", "convert wf.prj wf.png@10,46,11,45", "the output wf.prj is the input");
    row("convert to the .aux.xml of a layer", "convert wf.png.aux.xml map.png@10,46,11,45 wf.png@10,46,11,45",
        "the output wf.png.aux.xml is the input");
    row("convert to the .map", "convert topo.map topo.map", "the output topo.map is the input topo.map");
    row("convert to the image a .map names", "convert topo.png topo.map", "the output topo.png is the input");
    row("convert to the .wld of the image a .map names", "convert topo.wld topo.map", "the output topo.wld is the input");
    row("convert to its --config file", "convert cfg.ini map.png@10,46,11,45 --config cfg.ini",
        "the output cfg.ini is the input cfg.ini");
    row("convert to the config.ini it reads", "convert ./config.ini map.png@10,46,11,45",
        "the output ./config.ini is the input");
    row("wfl to its --config file", "wfl tiles -o cfg.ini --config=cfg.ini", "the output cfg.ini is the input cfg.ini");
    row("wfl to a tile", "wfl tiles -o tiles/15_0x0.png", "the output tiles/15_0x0.png is the input");
    row("wfl to a sidecar", "wfl tiles -o tiles/15_1x1.wfl", "is the input tiles/15_1x1.wfl");
    row("extract to the file read", "extract a.smf 0 a.smf", "the output a.smf is the input a.smf");
}

void TestCliOutputs::refused()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const QMap<QString, QByteArray> before = fixtures::regularFiles(m_dir.path());
    const QVector<std::pair<const char *, mode_t>> nodes{
        {"device", typeOf(path(QStringLiteral("device")))}, {"socket", S_IFSOCK}, {"pipe", S_IFIFO},
        {"pipe.pgw", S_IFIFO}, {"folder.png", S_IFDIR}};
    const cli::Result result = cli::run(m_dir.path(), args);
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
    QVERIFY(result.out.isEmpty());
    QCOMPARE(fixtures::regularFiles(m_dir.path()), before);
    for (const auto &[name, type] : nodes)
        QVERIFY2(typeOf(path(QString::fromLatin1(name))) == type, name);
    char byte = 0;
    QCOMPARE(::read(m_reader, &byte, 1), ssize_t(0));  // no writer came, nothing arrived
    QVERIFY(QDir(path(QStringLiteral("folder.png"))).isEmpty());
}

QTEST_GUILESS_MAIN(TestCliOutputs)
#include "tst_cli_outputs.moc"
