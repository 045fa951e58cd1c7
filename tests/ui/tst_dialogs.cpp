#include <QtTest>

#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>

#include "common/modal_answer.h"
#include "ui/c_about.h"
#include "ui/c_property.h"
#include "ui/mapvane2.h"

// The properties and about dialogs, alone and through the window's commands.
class TestDialogs : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void propertyLayout();
    void emptyFieldsAreRefused_data();
    void emptyFieldsAreRefused();
    void okWritesConfig();
    void blankTextPasses();
    void cancelWritesNothing();
    void configUnwritableStillAccepts();
    void propertyCommandSetsTileSize();
    void propertyCommandCancelledChangesNothing();
    void propertyCommandNeedsProject();
    void aboutText();

private:
    static QByteArray configContent();
    QTemporaryDir *dir = nullptr;
    QString oldCurrent;
};

void TestDialogs::init()
{
    oldCurrent = QDir::currentPath();
    dir = new QTemporaryDir;
    QVERIFY(QDir::setCurrent(dir->path()));
}

void TestDialogs::cleanup()
{
    QDir::setCurrent(oldCurrent);
    delete dir;
}

QByteArray TestDialogs::configContent()
{
    QFile file(QStringLiteral("config.ini"));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

void TestDialogs::propertyLayout()
{
    CProperty dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("Dialog"));
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8("属性"));
    QCOMPARE(dialog.size(), QSize(350, 181));
    QCOMPARE(dialog.label->text(), QString::fromUtf8("制图人:"));
    QCOMPARE(dialog.label_2->text(), QString::fromUtf8("地图名:"));
    QCOMPARE(dialog.label_3->text(), QString::fromUtf8("填充色:"));
    QCOMPARE(dialog.okButton->text(), QString::fromUtf8("确定"));
    QCOMPARE(dialog.cancelButton->text(), QString::fromUtf8("取消"));
    QVERIFY(dialog.okButton->isDefault());
    QVERIFY(!dialog.lineEdit_3->isEnabled());
    QCOMPARE(dialog.lineEdit->text(), QStringLiteral("Kelvo"));
    QCOMPARE(dialog.lineEdit_2->text(), QStringLiteral("Kelvo"));
    QCOMPARE(dialog.swatchColour(), QColor(122, 122, 122));
    QCOMPARE(dialog.lineEdit->geometry(), QRect(60, 40, 113, 20));
    QCOMPARE(dialog.toolButton->geometry(), QRect(160, 140, 21, 19));
}

void TestDialogs::emptyFieldsAreRefused_data()
{
    QTest::addColumn<QString>("cartographer");
    QTest::addColumn<QString>("mapName");
    QTest::addColumn<int>("focusField");
    QTest::newRow("both empty: cartographer first") << "" << "" << 1;
    QTest::newRow("map name empty") << "A" << "" << 2;
    QTest::newRow("cartographer empty") << "" << "B" << 1;
}

void TestDialogs::emptyFieldsAreRefused()
{
    QFETCH(QString, cartographer);
    QFETCH(QString, mapName);
    QFETCH(int, focusField);
    CProperty dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.lineEdit->setText(cartographer);
    dialog.lineEdit_2->setText(mapName);
    ModalAnswer answer;
    dialog.okButton->click();
    QCOMPARE(answer.texts, QStringList({QString::fromUtf8("请输入")}));
    QCOMPARE(answer.titles, QStringList({QString::fromUtf8("提示")}));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.focusWidget(), focusField == 1 ? dialog.lineEdit : dialog.lineEdit_2);
    QVERIFY(!QFile::exists(QStringLiteral("config.ini")));
}

void TestDialogs::okWritesConfig()
{
    CProperty dialog;
    dialog.lineEdit->setText(QStringLiteral("A"));
    dialog.lineEdit_2->setText(QStringLiteral("B"));
    dialog.setSwatchColour(QColor(1, 2, 3));
    dialog.okButton->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(configContent(), QByteArray("A\nB\n1\n2\n3\n"));
}

void TestDialogs::blankTextPasses()
{
    CProperty dialog;
    dialog.lineEdit->setText(QStringLiteral("  "));
    dialog.lineEdit_2->setText(QString::fromUtf8("地图"));
    dialog.okButton->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(configContent(), QByteArray("  \n\xe5\x9c\xb0\xe5\x9b\xbe\n122\n122\n122\n"));
}

void TestDialogs::cancelWritesNothing()
{
    CProperty dialog;
    dialog.setSwatchColour(QColor(9, 9, 9));
    dialog.cancelButton->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(QStringLiteral("config.ini")));
}

void TestDialogs::configUnwritableStillAccepts()
{
    // config.ini is a folder here, so it cannot be written.
    QVERIFY(QDir().mkdir(QStringLiteral("config.ini")));
    CProperty dialog;
    dialog.okButton->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestDialogs::propertyCommandSetsTileSize()
{
    Mapvane2 window;
    window.projectState = 1;
    window.updateActions();
    window.project.setProperties(QStringLiteral("A"), QStringLiteral("B"), QColor(1, 2, 3), 256, 256);
    window.project.changeFlags = 0;

    QStringList shown;
    ModalDialogAction<CProperty> accept([&shown](CProperty *dialog) {
        shown << dialog->lineEdit->text() << dialog->lineEdit_2->text() << dialog->swatchColour().name();
        dialog->okButton->click();
    });
    window.actionProperty->trigger();
    QCOMPARE(shown, QStringList({"A", "B", "#010203"}));
    // Unchanged texts and colour, but the tile size becomes 300 x 500: a change.
    QCOMPARE(window.project.tileWidth, 300);
    QCOMPARE(window.project.tileHeight, 500);
    QCOMPARE(int(window.project.changeFlags), int(MapProject::kLayersChanged));
    QCOMPARE(configContent(), QByteArray("A\nB\n1\n2\n3\n"));
}

void TestDialogs::propertyCommandCancelledChangesNothing()
{
    Mapvane2 window;
    window.projectState = 2;
    window.updateActions();
    window.project.setProperties(QStringLiteral("A"), QStringLiteral("B"), QColor(1, 2, 3), 300, 500);
    window.project.changeFlags = 0;
    const QByteArray before = configContent();
    ModalDialogAction<CProperty> cancel([](CProperty *dialog) {
        dialog->lineEdit->setText(QStringLiteral("other"));
        dialog->setSwatchColour(QColor(200, 0, 0));
        dialog->cancelButton->click();
    });
    window.actionProperty->trigger();
    QVERIFY(cancel.done);
    QCOMPARE(window.project.cartographer, QStringLiteral("A"));
    QCOMPARE(window.project.fillColour, QColor(1, 2, 3));
    QCOMPARE(int(window.project.changeFlags), 0);
    QCOMPARE(configContent(), before);
}

void TestDialogs::propertyCommandNeedsProject()
{
    Mapvane2 window;
    bool opened = false;
    QTimer::singleShot(50, [&opened] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            opened = true;
            w->close();
        }
    });
    QMetaObject::invokeMethod(&window, "on_actionProperty_triggered");
    QTest::qWait(100);
    QVERIFY(!opened);
}

void TestDialogs::aboutText()
{
    CAbout dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("About"));
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8("关于"));
    QCOMPARE(dialog.size(), QSize(399, 253));
    QCOMPARE(dialog.label->text(), QString::fromUtf8("关\n于"));
    QVERIFY(dialog.label->wordWrap());
    dialog.pushButton->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
