// Every way a mapvane-cli command can fail, one row each: the exit code of the one
// table (1 invalid input, 2 usage, 3 input/output), a message that says why, nothing
// on standard output, and the folder exactly as it was: no file written, created or
// replaced, inputs included.

#include <QtTest>

#include <sys/stat.h>

#include "common/cli_runner.h"
#include "common/ozi_fixtures.h"
#include "common/project_fixtures.h"
#include "common/wfl_fixtures.h"

class TestCliExitCodes : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void failure_data();
    void failure();
    void help_data();
    void help();
    void overview();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
    QTemporaryDir m_outside;  // where standard output goes when it is a file
};

void TestCliExitCodes::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(fixtures::mapLikeImage(100, 100).save(path(QStringLiteral("map.png"))));
    QVERIFY(fixtures::mapLikeImage(1000, 800).save(path(QStringLiteral("topo.png"))));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("text.png")), "not an image\n"));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("map.points")), "mapX,mapY,pixelX,pixelY\n10,46,0\n"));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("wgs84.points")), "#CRS: EPSG:4326\nmapX,mapY,pixelX,pixelY\n"));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("topo.map")), fixtures::oziMapFile("topo.png", fixtures::fourCorners())));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("gone.map")), fixtures::oziMapFile("C:\\Maps\\gone.png", fixtures::fourCorners())));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("blank.map")), fixtures::withCrLf(fixtures::oziHeader("map.png") + "MMPNUM,0\n")));
    QByteArray mars = fixtures::withCrLf(fixtures::oziHeader("topo.png", fixtures::fourCorners()));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("mars.map")), mars.replace("WGS 84,WGS 84,", "Mars 2000,WGS 84,")));
    QVERIFY(wfl::writeCutMap(path(QStringLiteral("tiles")), wfl::patternImage(100, 50, 1), QSize(40, 30), wfl::MapGeo(),
                             wfl::plainNames(15)));
    QVERIFY(wfl::writeCutMap(path(QStringLiteral("named")), wfl::patternImage(40, 30, 1), QSize(40, 30), wfl::MapGeo(),
                             [](int, int) { return QStringLiteral("overview"); }));
    // Cut short: a JPEG scan, and one tile of a tile folder.
    QVERIFY(fixtures::mapLikeImage(600, 400).save(path(QStringLiteral("cut.jpg"))));
    QVERIFY(wfl::writeCutMap(path(QStringLiteral("cuttiles")), wfl::patternImage(100, 50, 1), QSize(40, 30), wfl::MapGeo(),
                             wfl::plainNames(15)));
    for (const char *name : {"cut.jpg", "cuttiles/15_1x0.png"}) {
        const QString file = path(QString::fromLatin1(name));
        QVERIFY(fixtures::writeBytes(file, fixtures::fileBytes(file).chopped(40)));
    }
    // A tile folder with a pipe for a tile.
    QVERIFY(wfl::writeCutMap(path(QStringLiteral("pipetiles")), wfl::patternImage(100, 50, 1), QSize(40, 30), wfl::MapGeo(),
                             wfl::plainNames(15)));
    QVERIFY(QFile::remove(path(QStringLiteral("pipetiles/15_1x0.png"))));
    QCOMPARE(::mkfifo(QFile::encodeName(path(QStringLiteral("pipetiles/15_1x0.png"))).constData(), 0644), 0);
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("empty")));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("empty/.keep")), ""));
    QCOMPARE(cli::run(m_dir.path(), cli::words(QStringLiteral("convert a.smf map.png@10,46,11,45"))).exitCode, 0);
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("bad.smf")), QByteArray(500, 'P')));
    for (const char *old : {"old.smf", "old.png"})
        QVERIFY(fixtures::writeBytes(path(QString::fromLatin1(old)), QByteArray(300, 'o')));
}

void TestCliExitCodes::failure_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("wrapper");
    // args: the words of line, then tail (words with blanks in them).
    const auto row = [](const char *name, int exitCode, const char *message, const char *line, const QStringList &tail = {},
                        const QStringList &wrapper = {}) {
        QTest::newRow(name) << cli::words(QString::fromUtf8(line)) + tail << exitCode << QString::fromUtf8(message) << wrapper;
    };
    // Writing past a file size limit fails, and the file it would replace stays as it was.
    const QStringList fsize{QStringLiteral("prlimit"), QStringLiteral("--fsize=2000")};
    row("no command", 2, "usage: mapvane-cli COMMAND", "");
    row("unknown command", 2, "unknown command 'smf2png'", "smf2png");
    row("help of an unknown command", 2, "unknown command 'nothing'", "help nothing");

    row("convert: no output", 2, "missing OUT.smf", "convert");
    row("convert: no layer", 2, "needs at least one LAYER", "convert x.smf");
    row("convert: a word starting with '-' is an option, not a file", 2, "unknown option '-x.png@1,2,3,4'",
        "convert x.smf -x.png@1,2,3,4");
    row("convert: unknown option", 2, "convert: unknown option '--zoom'", "convert x.smf map.png@10,46,11,45 --zoom");
    row("convert: option without value", 2, "option --name needs a value", "convert x.smf map.png@10,46,11,45 --name");
    row("convert: LAYER without @", 2, "no '@'", "convert x.smf map.png");
    row("convert: standard output as output", 2, "the output cannot be standard output ('-')", "convert - map.png@10,46,11,45");
    row("convert: LAYER with 5 values", 2, "needs 4 values", "convert x.smf map.png@1,2,3,4,5");
    row("convert: fractional pixel", 2, "not a whole pixel", "convert x.smf map.png@0.5,0,0,1,10,10,1,0");
    row("convert: fill with two values", 2, "--fill", "convert x.smf map.png@10,46,11,45 --fill 1,2");
    row("convert: tile of width 15", 2, "--tile needs WxH with each side 16 to 4096 pixels, not '15x500'",
        "convert x.smf map.png@10,46,11,45 --tile 15x500");
    row("convert: tile of 100000 pixels", 2, "16 to 4096", "convert x.smf map.png@10,46,11,45 --tile=100000x100000");
    row("convert: threads 0", 2, "--threads needs a whole number from 1 to 256, not '0'",
        "convert x.smf map.png@10,46,11,45 --threads 0");
    row("convert: a flag given a value", 2, "option --quiet takes no value", "convert x.smf map.png@10,46,11,45 --quiet=yes");
    row("convert: --config with --no-config", 2, "cannot be combined",
        "convert x.smf map.png@10,46,11,45 --no-config --config map.png");
    row("convert: --datum twice for one image", 2, "--datum given twice for 'map.png'",
        "convert x.smf map.png --gcp 0,0,10,46 --gcp 100,0,11,46 --gcp 0,100,10,45 --datum 33 --datum 34");
    row("convert: ground control points that cannot be fitted name their datum", 1,
        "(ground control points on Beijing 1954)",
        "convert x.smf map.png --gcp 0,0,10,46 --gcp 0,0,10,46 --gcp 0,0,10,46 --datum beijing1954");
    row("convert: --gcp and --gcp-file for one image", 2, "--gcp and --gcp-file cannot both be given for 'map.png'",
        "convert x.smf map.png --gcp-file map.points --gcp 0,0,10,46");
    row("convert: --gcp-crs without EPSG:", 2, "--gcp-crs needs EPSG:N", "convert x.smf map.png --gcp-crs 32633 --gcp 0,0,1,1");
    row("convert: --gcp-crs of a code PROJ does not know", 1, "layer 1 (map.png): EPSG:999999 is not a grid PROJ knows",
        "convert x.smf map.png --gcp-crs EPSG:999999 --gcp 0,0,1,1 --gcp 9,0,2,1 --gcp 0,9,1,2");
    row("convert: a points file with a short line", 1, "the points file map.points, line 2: 3 values",
        "convert x.smf map.png --gcp-file map.points");
    row("convert: --gcp-crs for a points file that names its grid, WGS 84 too", 1, "wgs84.points names its own grid",
        "convert x.smf map.png --gcp-file wgs84.points --gcp-crs EPSG:32633");
    row("convert: a missing points file", 3, "none.points cannot be read", "convert x.smf map.png --gcp-file none.points");
    row("convert: --transform twice for one image", 2, "--transform given twice",
        "convert x.smf map.png --transform tps --gcp 0,0,10,46 --transform affine");
    row("convert: --copy beyond the window's 300 %", 2, "--copy needs a whole percentage from 5 to 300, not '301'",
        "convert x.smf map.png@10,46,11,45 --copy 301");
    row("convert: --copy below 5 %", 2, "not '4'", "convert x.smf map.png@10,46,11,45 --copy=4");
    row("convert: --auto-copies before its LAYER", 2, "--auto-copies must follow the LAYER it belongs to",
        "convert x.smf --auto-copies map.png@10,46,11,45");
    row("convert: '(' inside a group", 2, "groups cannot be nested",
        "convert x.smf ( map.png@10,46,11,45 ( map.png@10,46,11,45 ) )");
    row("convert: ')' without '('", 2, "')' closes no group", "convert x.smf map.png@10,46,11,45 )");
    row("convert: a group left open", 2, "the group opened by '(' is not closed", "convert x.smf ( map.png@10,46,11,45");
    row("convert: an empty group", 2, "the group '( )' has no source", "convert x.smf ( ) map.png@10,46,11,45");
    row("convert: --auto-copies after a source inside a group", 2, "give it after its ')'",
        "convert x.smf ( map.png@10,46,11,45 --auto-copies map.png@11,46,12,45 )");
    row("convert: --gcp after a group", 2, "--gcp must follow the IMAGE it belongs to",
        "convert x.smf ( map.png@10,46,11,45 ) --gcp 0,0,1,1");
    row("convert: --no-border after an image", 2, "--no-border belongs to an OziExplorer .map file, not to 'map.png'",
        "convert x.smf map.png@10,46,11,45 --no-border");
    row("convert: --border of two points", 2, "--border needs X1,Y1,X2,Y2,X3,Y3[,...] (3 to 100 points",
        "convert x.smf map.png@10,46,11,45 --border 0,0,10,10");
    row("convert: a border that encloses nothing", 1, "layer 1 (map.png): its border encloses no area",
        "convert x.smf map.png@10,46,11,45 --border 0,0,50,50,99,99");
    row("convert: a group on both sides of the 180th meridian", 1,
        "layers 1 to 2: the sources lie on both sides of the 180th meridian",
        "convert x.smf ( map.png@179.5,46,179.9,45 map.png@-179.9,46,-179.5,45 )");
    row("convert: a group whose level would be too large", 1, "layers 1 to 2: the level would be too large",
        "convert x.smf ( map.png@10,46,10.001,45.999 map.png@60,46,61,45 )");
    row("convert: a .map without reference points in a group", 1,
        "layer 2 (blank.map): invalid calibration: the OziExplorer file has no reference points",
        "convert x.smf ( map.png@10,46,11,45 blank.map )");
    row("convert: bottom-right pixel beyond the image", 1,
        "layer 1 (map.png): the bottom-right pixel (5000, 5000) lies outside the 100 x 100 image",
        "convert x.smf map.png@0,0,10,46,5000,5000,11,45");
    row("convert: negative pixel", 1, "the top-left pixel (-100, -100) lies outside",
        "convert x.smf map.png@-100,-100,10,46,100,100,11,45");
    row("convert: longitudes reversed", 1, "layer 1 (map.png): invalid calibration", "convert x.smf map.png@1,1,0,0");
    row("convert: latitude 1 mas beyond 90", 1, "invalid calibration", "convert x.smf map.png@0,90.0000003,1,0");
    row("convert: second layer invalid", 1, "layer 2 (map.png): invalid", "convert x.smf map.png@10,46,11,45 map.png@0,0,1,1");
    row("convert: extent beyond 32 bits", 1, "too large for its tiles", "convert x.smf map.png@0,0,-180,90,1,1,180,-90");
    row("convert: missing image", 3, "cannot read the image nothing.png: No such file", "convert x.smf nothing.png@0,1,1,0");
    row("convert: text is no image", 1, "cannot read the image text.png: unsupported image format", "convert x.smf text.png@0,1,1,0");
    row("convert: damaged image, found as its tiles are cut", 1, "layer 1 (cut.jpg): damaged image cut.jpg: premature end",
        "convert x.smf cut.jpg@0,1,1,0");
    // Cut first, as the finer scale: still named by its place on the command line.
    row("convert: damaged second layer", 1, "convert: layer 2 (cut.jpg): damaged image cut.jpg",
        "convert x.smf map.png@10,46,11,45 cut.jpg@10,46,11,45");
    row("convert: level 13", 2, "--level needs a whole number from 1 to 12, not '13'", "convert x.smf map.png@0,1,1,0 --level 13");
    row("convert: missing OziExplorer file", 3, "cannot read the OziExplorer file roads.MAP", "convert x.smf roads.MAP");
    row("convert: image of an OziExplorer file missing", 3, "(gone.map): cannot read the image C:/Maps/gone.png: No such",
        "convert x.smf gone.map");
    row("convert: OziExplorer file without reference points", 1, "layer 2 (blank.map): invalid calibration: the OziExplorer",
        "convert x.smf map.png@10,46,11,45 blank.map");
    row("convert: Point lines on an unknown datum", 1, "layer 1 (mars.map): the datum 'Mars 2000'", "convert x.smf mars.map");
    row("convert: output folder is a file", 3, "cannot create", "convert map.png/x.smf map.png@10,46,11,45");
    row("convert: file size limit", 3, "cannot write old.smf: File too large", "convert old.smf topo.png@0,1,1,0", {}, fsize);
    row("convert: settings file missing", 3, "cannot read the settings file none.ini",
        "convert x.smf map.png@10,46,11,45 --config none.ini");
    row("convert: settings file is a folder", 3, "the settings file empty is not a regular file",
        "convert x.smf map.png@10,46,11,45 --config empty");

    row("wfl: no folder", 2, "missing FOLDER", "wfl");
    row("wfl: unknown option", 2, "wfl: unknown option '--tile'", "wfl tiles --tile 300x500");
    row("wfl: -o without a value", 2, "option -o needs a value", "wfl tiles -o");
    row("wfl: name that does not parse", 1, "named/overview.wfl", "wfl named");
    row("wfl: no tiles", 1, "no tiles", "wfl empty");
    row("wfl: damaged tile", 1, "15_1x0.png cannot be decoded as an image: damaged image data (premature end of data)",
        "wfl cuttiles");
    row("wfl: level 0", 2, "wfl: --level needs a whole number from 1 to 12, not '0'", "wfl tiles --level 0");
    row("wfl: folder missing", 3, "nowhere does not exist", "wfl nowhere");
    row("wfl: folder is a file", 3, "not a folder", "wfl map.png");
    row("wfl: a tile that is a pipe", 3, "pipetiles/15_1x0.png is not a regular file", "wfl pipetiles");
    row("wfl: output folder missing", 3, "cannot create no/x.smf", "wfl tiles -o no/x.smf");
    row("wfl: file size limit", 3, "cannot write old.smf: File too large", "wfl tiles -o old.smf", {}, fsize);

    row("info: no file", 2, "missing FILE.smf", "info");
    row("info: unknown option", 2, "info: unknown option '--xml'", "info a.smf --xml");
    row("info: missing file", 3, "cannot open gone.smf", "info gone.smf");
    row("info: not an SMF file", 1, "bad.smf is not a usable SMF file: not an SMF file", "info bad.smf");
    row("info: a folder", 3, "info: empty is not a regular file", "info empty");
    // Standard output that cannot take the text: closed, or a file past its size limit.
    const QStringList closedOutput{QStringLiteral("sh"), QStringLiteral("-c"), QStringLiteral("exec \"$@\" >&-"),
                                   QStringLiteral("sh")};
    row("info: standard output closed", 3, "cannot write to standard output: Bad file descriptor", "info a.smf", {},
        closedOutput);
    row("help: standard output closed", 3, "cannot write to standard output", "help", {}, closedOutput);
    row("coord: standard output closed", 3, "cannot write to standard output", "coord --notation dms 1 1", {}, closedOutput);
    const QString outside = m_outside.filePath(QStringLiteral("stdout"));
    row("info: standard output past its size limit", 3, "cannot write to standard output: File too large", "info a.smf",
        {}, {QStringLiteral("sh"), QStringLiteral("-c"), QStringLiteral("exec prlimit --fsize=10 \"$@\" > %1").arg(outside),
             QStringLiteral("sh")});

    row("extract: no output", 2, "needs FILE.smf LEVEL OUT", "extract a.smf 0");
    row("extract: level not a number", 2, "LEVEL", "extract a.smf one o.png");
    row("extract: format it cannot write", 2, "cannot write 'o.gif'", "extract a.smf 0 o.gif");
    row("extract: level that does not exist", 1, "has no level 1", "extract a.smf 1 o.png");
    row("extract: not an SMF file", 1, "not a usable SMF file", "extract bad.smf 0 o.png");
    row("extract: missing file", 3, "cannot open gone.smf", "extract gone.smf 0 o.png");
    row("extract: output folder is a file", 3, "cannot write map.png/o.png", "extract a.smf 0 map.png/o.png");
    row("extract: file size limit", 3, "cannot write old.png: File too large", "extract a.smf 0 old.png", {}, fsize);
    row("extract: fill colour with four values", 2, "--fill needs R,G,B", "extract a.smf 0 o.png --keep-going --fill 1,2,3,4");

    row("coord: unknown option", 2, "coord: unknown option '--bogus'", "coord --bogus --notation deg 1 1");
    row("coord: option twice", 2, "--datum given twice", "coord --datum 224 --datum 0 --notation deg 1 1");
    row("coord: datum 228", 2, "unknown datum '228'", "coord --datum 228 --notation deg 1 1");
    row("coord: datum name unknown", 2, "unknown datum 'Mars'", "coord --datum Mars --notation deg 1 1");
    row("coord: no mode", 2, "give one of", "coord 1 1");
    row("coord: notation with parse", 2, "cannot be combined", "coord --notation deg --parse tm 1 1");
    row("coord: latitude 90.5", 2, "latitude '90.5' is outside", "coord --notation deg 90.5 1");
    row("coord: unknown grid", 2, "unknown grid 'deg'", "coord --parse deg 1 1");
    row("coord: UTM zone 99", 1, "the UTM zone '99' is outside 1 to 60", "coord --parse utm", {"99 Q 757196", "2490320"});
    row("coord: UTM band I", 1, "UTM band 'I'", "coord --parse utm", {"49 I 757196", "2490320"});
    row("coord: UTM text garbage", 1, "UTM easting text 'garbage'", "coord --parse utm garbage 2490320");
    row("coord: UTM without band", 1, "UTM easting text", "coord --parse utm", {"31 500000", "0"});
    row("coord: UTM easting beyond the zone", 1, "UTM easting '950000' is outside 100000 to 900000", "coord --parse utm",
        {"49 Q 950000", "2490320"});
    row("coord: UTM northing not a number", 1, "UTM northing '2490320m'", "coord --parse utm", {"49 Q 757196", "2490320m"});
    row("coord: UTM northing negative", 1, "UTM northing '-5'", "coord --parse utm", {"49 Q 757196", "-5"});
    row("coord: TM easting not a number", 1, "TM easting 'abc'", "coord --parse tm abc 2769217N");
    row("coord: TM northing with the wrong letter", 1, "TM northing '2769217E'", "coord --parse tm 306513E 2769217E");
    row("coord: TM easting beyond the grid", 1, "TM easting '99999999999'", "coord --parse tm 99999999999 0");
    row("coord: UTM north of 84 degrees", 1, "UTM covers 80°S to 84°N", "coord --notation utm 85 10");
    row("coord: UTM south of 80 degrees", 1, "UTM covers 80°S to 84°N", "coord --notation utm -80.5 10");
    row("coord: TM far from its meridian", 1, "outside the TM grid", "coord --notation TM 22.5 113.5");
    row("coord: unknown notation", 2, "unknown notation 'utm2'", "coord --notation utm2 1 1");
}

void TestCliExitCodes::failure()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFETCH(QStringList, wrapper);
    const QMap<QString, QByteArray> before = fixtures::regularFiles(m_dir.path());
    const cli::Result result = cli::run(m_dir.path(), args, wrapper);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
    QVERIFY(result.out.isEmpty());
    QCOMPARE(fixtures::regularFiles(m_dir.path()), before);
}

void TestCliExitCodes::help_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("convert") << "convert" << "IMAGE@X1,Y1,LON1,LAT1,X2,Y2,LON2,LAT2";
    QTest::newRow("wfl") << "wfl" << "-o OUT.smf";
    QTest::newRow("info") << "info" << "--json";
    QTest::newRow("extract") << "extract" << "--world-file";
    QTest::newRow("coord") << "coord" << "--list-datums";
}

void TestCliExitCodes::help()
{
    QFETCH(QString, command);
    QFETCH(QString, mentions);
    const QMap<QString, QByteArray> before = fixtures::regularFiles(m_dir.path());
    const cli::Result viaHelp = cli::run(m_dir.path(), {QStringLiteral("help"), command});
    QCOMPARE(viaHelp.exitCode, 0);
    // One line per way to call the command, up to the first blank line.
    const QList<QByteArray> usage = viaHelp.out.left(viaHelp.out.indexOf("\n\n")).split('\n');
    for (qsizetype i = 0; i < usage.size(); ++i) {
        const QByteArray start = (i == 0 ? "usage: " : "       ") + QByteArray("mapvane-cli ") + command.toUtf8() + ' ';
        QVERIFY2(usage.at(i).startsWith(start), viaHelp.out.constData());
    }
    QVERIFY(QString::fromUtf8(viaHelp.out).contains(mentions));
    const cli::Result version = cli::run(m_dir.path(), {command, QStringLiteral("-V")});
    QCOMPARE(version.exitCode, 0);
    QVERIFY(version.out.startsWith("mapvane-cli "));
    QVERIFY(cli::run(m_dir.path(), {QStringLiteral("help")}).out.contains("  mapvane-cli " + command.toUtf8() + ' '));
    for (const char *flag : {"-h", "--help"}) {
        // Even after a file name: the help, and nothing written.
        const cli::Result viaFlag = cli::run(m_dir.path(), {command, QStringLiteral("x.smf"), QString::fromLatin1(flag)});
        QCOMPARE(viaFlag.exitCode, 0);
        QCOMPARE(viaFlag.out, viaHelp.out);
        QVERIFY(viaFlag.err.isEmpty());
    }
    QCOMPARE(fixtures::regularFiles(m_dir.path()), before);
}

void TestCliExitCodes::overview()
{
    const cli::Result all = cli::run(m_dir.path(), {QStringLiteral("help")});
    QCOMPARE(all.exitCode, 0);
    for (const char *code : {"  0  success", "  1  invalid input", "  2  usage error", "  3  input/output error"})
        QVERIFY2(all.out.contains(code), code);
    const cli::Result version = cli::run(m_dir.path(), {QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    const cli::Result helpOfHelp = cli::run(m_dir.path(), {QStringLiteral("help"), QStringLiteral("help")});
    QCOMPARE(helpOfHelp.exitCode, 0);
    QVERIFY(helpOfHelp.out.startsWith("usage: mapvane-cli help [COMMAND]\n"));
    QVERIFY2(QRegularExpression(QStringLiteral("^mapvane-cli \\d+\\.\\d+\\.\\d+\\n$"))
                 .match(QString::fromUtf8(version.out)).hasMatch(), version.out.constData());
}

QTEST_GUILESS_MAIN(TestCliExitCodes)
#include "tst_cli_exit_codes.moc"
