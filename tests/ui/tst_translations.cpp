#include <QtTest>

#include <QTranslator>

#include "project/map_project.h"
#include "settings/language_settings.h"

namespace {

// Every translatable text of the interface as context, source text and
// disambiguation: the tr(), translate() and QT_TRANSLATE_NOOP() calls in src/ui and in
// the core (whose failure reasons the window shows), a tr() call in the context of the
// class it names (LayerImport::tr) or else of the class whose function it is in, and
// the strings of the Designer forms not marked notr, in the context of the form's class.
QList<QStringList> interfaceTexts()
{
    QList<QStringList> texts;
    const QRegularExpression function(QStringLiteral("^(?:\\S.*\\W)?(\\w+)::~?\\w+\\("),
                                      QRegularExpression::MultilineOption);
    const QRegularExpression call(QStringLiteral(
        "\\b(?:(\\w+)::)?(?:tr|translate|QT_TRANSLATE_NOOP)\\((?:\"(\\w+)\",\\s*)?((?:\"(?:[^\"\\\\]|\\\\.)*\"\\s*)+)"
        "(?:,\\s*\"([^\"]*)\")?\\)"));
    const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\]|\\\\.)*)\""));  // adjacent ones are one text
    const QRegularExpression form(QStringLiteral("<class>(\\w+)</class>"));
    const QRegularExpression string(QStringLiteral("<string>([^<]*)</string>"));  // notr strings have attributes
    QStringList paths;
    for (const char *folder : {"ui", "geo", "raster", "project", "smf", "view"}) {
        QDirIterator files(QStringLiteral(MAPVANE_SOURCE_DIR "/src/") + QLatin1String(folder),
                           {QStringLiteral("*.cpp"), QStringLiteral("*.ui")}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext())
            paths.append(files.next());
    }
    for (const QString &path : std::as_const(paths)) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QString code = QString::fromUtf8(file.readAll());
        if (file.fileName().endsWith(QLatin1String(".ui"))) {
            for (const QRegularExpressionMatch &m : string.globalMatch(code))
                texts.append({form.match(code).captured(1), m.captured(1).replace(QLatin1String("&amp;"), "&"), {}});
            continue;
        }
        for (const QRegularExpressionMatch &m : call.globalMatch(code)) {
            QString enclosing;
            for (const QRegularExpressionMatch &f : function.globalMatch(code.left(m.capturedStart())))
                enclosing = f.captured(1);
            QString text;
            for (const QRegularExpressionMatch &piece : literal.globalMatch(m.captured(3)))
                text += piece.captured(1);
            text.replace(QLatin1String("\\n"), QLatin1String("\n")).replace(QLatin1String("\\\""), QLatin1String("\""));
            const QString named = m.captured(2).isEmpty() ? m.captured(1) : m.captured(2);
            texts.append({named.isEmpty() || named == QLatin1String("QCoreApplication") ? enclosing : named, text,
                          m.captured(4)});
        }
    }
    return texts;
}

}  // namespace

// The translation files that the language menu names cover every text of the
// interface: each language translates it, English leaves no Chinese character, and
// each file is its own language.
class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void everyTextTranslated();
    void coreReasonInInterfaceLanguage_data();
    void coreReasonInInterfaceLanguage();
};

void TestTranslations::everyTextTranslated()
{
    const QList<QStringList> texts = interfaceTexts();
    QVERIFY(texts.size() > 80);
    const QStringList newCommand = {QStringLiteral("&New"), QString::fromUtf8("新建(&N)"), QString::fromUtf8("新增(&N)")};
    for (int language = 0; language < 3; ++language) {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(MAPVANE_QM_DIR "/") + LanguageFileTable[language].mid(2)));
        for (const QStringList &text : texts) {
            const QString translated =
                translator.translate(qUtf8Printable(text[0]), qUtf8Printable(text[1]), qUtf8Printable(text[2]));
            QVERIFY2(!translated.isEmpty(), qPrintable(text.join(QLatin1Char(' '))));
            const bool chinese = translated.contains(QRegularExpression(QStringLiteral("[\\x{2E80}-\\x{FFEF}]")));
            QVERIFY2(!chinese || language != 0, qPrintable(translated));
        }
        QCOMPARE(translator.translate("MainWindow", "新建(&N)"), newCommand[language]);
        // Counts take the plural form of their language: "1 tile", "2 tiles".
        const QString tiles[] = {translator.translate("MainWindow", "%n 个图块", nullptr, 1),
                                 translator.translate("MainWindow", "%n 个图块", nullptr, 2)};
        QCOMPARE(tiles[0] != tiles[1], language == 0);
        // The about text describes the program; its source is only a placeholder.
        QVERIFY(translator.translate("AboutDialog", "关\n于").startsWith(QLatin1String("Mapvane\\n")));
    }
}

// The core words its failures in English, as the CLI prints them; with the window's
// translator installed they read in the interface language, each a whole sentence.
void TestTranslations::coreReasonInInterfaceLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("reason");
    QTest::newRow("English") << 0 << QStringLiteral("cannot read the image %1: unsupported image format");
    QTest::newRow("Simplified Chinese") << 1 << QString::fromUtf8("无法读取图片 %1: 不支持的图片格式");
    QTest::newRow("Traditional Chinese") << 2 << QString::fromUtf8("無法讀取圖片 %1: 不支援的圖片格式");
}

void TestTranslations::coreReasonInInterfaceLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    QFile text(folder.filePath(QStringLiteral("text.png")));
    QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not an image\n") > 0);
    text.close();
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(MAPVANE_QM_DIR "/") + LanguageFileTable[language].mid(2)));
    QCoreApplication::installTranslator(&translator);
    MapProject project(1024);
    LayerImportOptions options;
    options.calibrationText = QStringLiteral("10,46,11,45");
    LayerImport import = importLayer(text.fileName(), options);
    const bool added = project.addImportedLayer(import);
    QCoreApplication::removeTranslator(&translator);
    QVERIFY(!added);
    QCOMPARE(import.reason, reason.arg(text.fileName()));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
