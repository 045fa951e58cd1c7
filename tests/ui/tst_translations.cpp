#include <QtTest>

#include <QTranslator>

#include "settings/language_settings.h"

namespace {

// Every translatable text of the interface as context, source text and
// disambiguation: the tr() and translate() calls in src/ui, a tr() call in the context
// of the class whose function it is in, and the strings of the Designer forms not
// marked notr, in the context of the form's class.
QList<QStringList> interfaceTexts()
{
    QList<QStringList> texts;
    const QRegularExpression function(QStringLiteral("^(?:\\S.*\\W)?(\\w+)::~?\\w+\\("),
                                      QRegularExpression::MultilineOption);
    const QRegularExpression call(
        QStringLiteral("\\b(?:tr|translate)\\((?:\"(\\w+)\",\\s*)?\"((?:[^\"\\\\]|\\\\.)*)\"(?:,\\s*\"([^\"]*)\")?\\)"));
    const QRegularExpression form(QStringLiteral("<class>(\\w+)</class>"));
    const QRegularExpression string(QStringLiteral("<string>([^<]*)</string>"));  // notr strings have attributes
    QDirIterator files(QStringLiteral(MAPVANE_SOURCE_DIR "/src/ui"), {QStringLiteral("*.cpp"), QStringLiteral("*.ui")},
                       QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
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
            texts.append({m.captured(1).isEmpty() ? enclosing : m.captured(1),
                          m.captured(2).replace(QLatin1String("\\n"), QLatin1String("\n")), m.captured(3)});
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
    }
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
