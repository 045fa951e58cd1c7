#include <QtTest>

#include "common/modal_answer.h"
#include "common/wfl_fixtures.h"
#include "common/window_fixture.h"
#include "smf/smf_file_index.h"
#include "ui/c_property.h"
#include "ui/mapvane2.h"

// The WFL到SMF command: folder chooser, properties dialog, conversion and the
// closing message, and the project's properties put back afterwards.
class TestWflCommand : public QObject
{
    Q_OBJECT
private slots:
    void convertsFolderBesideIt();
    void failureTellsWhy();
    void cancelledChooserDoesNothing();
};

void TestWflCommand::convertsFolderBesideIt()
{
    WindowFixture fixture;
    const QString folder = fixture.path(QStringLiteral("area"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(wfl::writeCutMap(folder, wfl::patternImage(600, 500, 1), QSize(256, 256), wfl::MapGeo{},
                             wfl::plainNames(15)));

    Mapvane2 window;
    window.project.setProperties(QStringLiteral("Old"), QStringLiteral("old"), QColor(1, 2, 3), 300, 500);
    window.project.changeFlags = 0;
    window.dialogs.folder = [folder](QWidget *, const QString &, const QString &) { return folder; };
    ModalDialogAction<CProperty> accept([](CProperty *dialog) {
        dialog->lineEdit->setText(QStringLiteral("Downloader"));
        dialog->lineEdit_2->setText(QStringLiteral("Area"));
        dialog->okButton->click();
    });
    ModalAnswer answer;
    window.actionWlf_smf->trigger();
    QVERIFY(accept.done);
    const QString output = folder + QStringLiteral(".smf");
    QCOMPARE(answer.texts, QStringList({output}));

    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    SmfFileIndex index;
    QString error;
    QVERIFY2(readSmfStructure(file, &index, &error), qPrintable(error));
    QCOMPARE(index.header.mapName, QStringLiteral("Area"));
    QCOMPARE(index.header.cartographer, QStringLiteral("Downloader"));
    QCOMPARE(index.levels.size(), 1);
    QCOMPARE(index.levels[0].tileColumns, 3);
    QCOMPARE(index.levels[0].tileRows, 2);

    // The project keeps its own properties and change flags; state 1 stays.
    QCOMPARE(window.project.cartographer, QStringLiteral("Old"));
    QCOMPARE(window.project.mapName, QStringLiteral("old"));
    QCOMPARE(window.project.fillColour, QColor(1, 2, 3));
    QCOMPARE(int(window.project.changeFlags), 0);
    QCOMPARE(window.projectState, 1);
    QCOMPARE(window.project.tileWidth, 300);
}

void TestWflCommand::failureTellsWhy()
{
    WindowFixture fixture;
    const QString folder = fixture.path(QStringLiteral("empty"));
    QVERIFY(QDir().mkpath(folder));
    Mapvane2 window;
    window.dialogs.folder = [folder](QWidget *, const QString &, const QString &) { return folder; };
    ModalDialogAction<CProperty> accept([](CProperty *dialog) { dialog->okButton->click(); });
    ModalAnswer answer;
    window.actionWlf_smf->trigger();
    QCOMPARE(answer.texts.size(), 1);
    QVERIFY(answer.texts.first().startsWith(QString::fromUtf8("转换失败")));
    QVERIFY(!QFile::exists(folder + QStringLiteral(".smf")));
}

void TestWflCommand::cancelledChooserDoesNothing()
{
    WindowFixture fixture;
    Mapvane2 window;
    window.dialogs.folder = [](QWidget *, const QString &, const QString &) { return QString(); };
    window.actionWlf_smf->trigger();
    QCOMPARE(window.projectState, 0);
}

QTEST_MAIN(TestWflCommand)
#include "tst_wfl_command.moc"
