#include "mainwindow.h"
#include "translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtEndian>

#include <functional>

#include <sys/stat.h>

namespace {

QByteArray shippedImage()
{
    QFile file(QStringLiteral(TOVRIK_BINARY_DIR "/src/mainwindow/Lang_de_DE.qm"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Offset of the first block with `tag` (its tag byte), -1 when there is none.
qsizetype blockAt(const QByteArray& image, quint8 tag)
{
    qsizetype at = 16;
    while (at + 5 <= image.size()) {
        if (quint8(image.at(at)) == tag)
            return at;
        at += 5 + qFromBigEndian<quint32>(image.constData() + at + 1);
    }
    return -1;
}

void put32(QByteArray& image, qsizetype at, quint32 value)
{
    qToBigEndian(value, image.data() + at);
}

QByteArray block(quint8 tag, const QByteArray& data)
{
    QByteArray out(1, char(tag));
    out.resize(5);
    put32(out, 1, quint32(data.size()));
    return out + data;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

// Translation files are checked before the translator sees them: the shipped file passes,
// damaged ones are refused, and whatever passes can be used without reading out of bounds.
class tst_Translation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(!shippedImage().isEmpty(), "Lang_de_DE.qm not built"); }
    void check_data();
    void check();
    void randomDamageNeverCrashes();
    void candidatesFollowTheTranslatorsSearch();
    void install_data();
    void install();
    void everyTextIsTranslated();
    void qtsOwnTextsAreTranslated();
    void menusHaveDistinctAltLetters_data();
    void menusHaveDistinctAltLetters();
};

void tst_Translation::check_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<bool>("valid");

    const QByteArray good = shippedImage();
    const QByteArray magic = good.left(16);
    QTest::newRow("shipped file") << good << true;
    QTest::newRow("magic alone") << magic << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("wrong magic") << QByteArray(good).replace(0, 1, "x") << false;
    QTest::newRow("cut short") << good.left(good.size() - 100) << false;
    QTest::newRow("fewer than a block header left is ignored")
        << good.left(good.size() - 6) << true;

    const qsizetype hashes = blockAt(good, 0x42);
    const qsizetype messages = blockAt(good, 0x69);
    QVERIFY(hashes > 0 && messages > 0);
    const quint32 messagesSize = qFromBigEndian<quint32>(good.constData() + messages + 1);

    QByteArray longBlock = good;
    put32(longBlock, hashes + 1, 0x7fffffff);
    QTest::newRow("block longer than the file") << longBlock << false;

    QByteArray farOffset = good;
    put32(farOffset, hashes + 5 + 4, messagesSize);
    QTest::newRow("hash offset past the messages") << farOffset << false;

    QByteArray oddHashes = good;
    put32(oddHashes, hashes + 1, qFromBigEndian<quint32>(good.constData() + hashes + 1) - 4);
    oddHashes.remove(hashes + 5, 4);
    QTest::newRow("hash table of half an entry") << oddHashes << false;

    // Messages of a hand-built file: one message, the hash table pointing at it.
    const auto withMessage = [&](const QByteArray& message) {
        QByteArray entry(8, '\0');
        return magic + block(0x42, entry) + block(0x69, message);
    };
    QTest::newRow("message: sound")
        << withMessage(QByteArray("\x03\x00\x00\x00\x02\x00\x41\x01", 8)) << true;
    QTest::newRow("message: translation past the block")
        << withMessage(QByteArray("\x03\x00\x00\x10\x00\x00\x41\x01", 8)) << false;
    QTest::newRow("message: null translation length")
        << withMessage(QByteArray("\x03\xff\xff\xff\xff\x01", 6)) << false;
    QTest::newRow("message: odd translation length")
        << withMessage(QByteArray("\x03\x00\x00\x00\x01\x41\x01", 7)) << false;
    QTest::newRow("message: length cut off") << withMessage(QByteArray("\x06\x00\x00", 3)) << false;
    QTest::newRow("message: empty comment at the end")
        << withMessage(QByteArray("\x08\x00\x00\x00\x00", 5)) << false;
    QTest::newRow("message: unknown item stops the reader")
        << withMessage(QByteArray("\x02\xff\xff", 3)) << true;

    const auto withContexts = [&](const QByteArray& contexts) {
        return magic + block(0x2f, contexts);
    };
    QTest::newRow("contexts: sound") << withContexts(QByteArray("\x00\x01\x00\x01\x00\x00\x02"
                                                                "ab\x00",
                                                                10))
                                     << true;
    QTest::newRow("contexts: no slots") << withContexts(QByteArray("\x00\x00", 2)) << false;
    QTest::newRow("contexts: slot past the block")
        << withContexts(QByteArray("\x00\x01\x00\x09\x00", 5)) << false;
    QTest::newRow("contexts: name past the block")
        << withContexts(QByteArray("\x00\x01\x00\x01\x00\x00\x09"
                                   "ab",
                                   9))
        << false;

    QTest::newRow("plural rules: sound")
        << magic + block(0x88, QByteArray("\x01\x01\xff\x04\x02\x04", 6)) << true;
    QTest::newRow("plural rules: missing operand")
        << magic + block(0x88, QByteArray("\x04\x02", 2)) << false;
    QTest::newRow("dependencies refused")
        << magic + block(0x96, QByteArray("\x00\x00\x00\x02\x00\x41", 6)) << false;
}

void tst_Translation::check()
{
    QFETCH(QByteArray, image);
    QFETCH(bool, valid);
    QCOMPARE(Translation::isValid(image), valid);
    if (valid) {
        QTranslator translator;
        QVERIFY(
            translator.load(reinterpret_cast<const uchar*>(image.constData()), int(image.size())));
        (void)translator.translate("MainWindow", "Connect");
    }
}

void tst_Translation::randomDamageNeverCrashes()
{
    // Copies of the shipped file with 1 to 64 bytes changed at random: each is refused, or
    // loads and answers every lookup (a sanitizer build sees any read out of bounds).
    const QByteArray good = shippedImage();
    QRandomGenerator random(20261208);
    int refused = 0;
    for (int copy = 0; copy < 30; ++copy) {
        QByteArray image = good;
        const int changes = 1 + random.bounded(64);
        for (int i = 0; i < changes; ++i)
            image[random.bounded(int(image.size()))] = char(random.bounded(256));
        if (!Translation::isValid(image)) {
            ++refused;
            continue;
        }
        QTranslator translator;
        if (!translator.load(reinterpret_cast<const uchar*>(image.constData()), int(image.size())))
            continue;
        for (const char* text : {"Connect", "Clear", "Tovrik initialized", "Script error"})
            (void)translator.translate("MainWindow", text);
        (void)translator.translate("RtDialog", "Refresh", nullptr, 3);
    }
    qInfo("%d of 30 damaged copies refused", refused);
    QVERIFY(refused > 0);
}

void tst_Translation::candidatesFollowTheTranslatorsSearch()
{
    QCOMPARE(Translation::candidates(QStringLiteral("Lang_de_DE"), {QString(), "/opt/t"}),
             (QStringList{"Lang_de_DE.qm", "Lang_de_DE", "Lang_de.qm", "Lang_de", "Lang.qm", "Lang",
                          "/opt/t/Lang_de_DE.qm", "/opt/t/Lang_de_DE", "/opt/t/Lang_de.qm",
                          "/opt/t/Lang_de", "/opt/t/Lang.qm", "/opt/t/Lang"}));
}

void tst_Translation::install_data()
{
    QTest::addColumn<QString>("local");      // what Lang_de_DE.qm is in the first directory
    QTest::addColumn<bool>("installedGood"); // a good Lang_de.qm in the second directory
    QTest::addColumn<QString>("problem");    // start of the console line, empty for none
    QTest::addColumn<QString>("connect");    // "Connect" as then translated

    QTest::newRow("good local file") << "good" << false << ""
                                     << "Verbinden";
    QTest::newRow("installed file found by language") << "" << true << ""
                                                      << "Verbinden";
    QTest::newRow("none: source texts") << "" << false << ""
                                        << "Connect";
    QTest::newRow("damaged local file refused")
        << "damaged" << true << "Translation file '%1' not loaded: the file is damaged"
        << "Connect";
    QTest::newRow("FIFO refused without blocking")
        << "fifo" << false << "Translation file '%1' not loaded: not a regular file"
        << "Connect";
}

void tst_Translation::install()
{
    QFETCH(QString, local);
    QFETCH(bool, installedGood);
    QFETCH(QString, problem);
    QFETCH(QString, connect);

    QTemporaryDir first, second;
    const QString localPath = QDir(first.path()).filePath(QStringLiteral("Lang_de_DE.qm"));
    QByteArray damaged = shippedImage();
    put32(damaged, blockAt(damaged, 0x42) + 5 + 4, 0xfffffff0);
    if (local == QLatin1String("good"))
        QVERIFY(writeFile(localPath, shippedImage()));
    else if (local == QLatin1String("damaged"))
        QVERIFY(writeFile(localPath, damaged));
    else if (local == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(localPath).constData(), 0600), 0);
    if (installedGood)
        QVERIFY(
            writeFile(QDir(second.path()).filePath(QStringLiteral("Lang_de.qm")), shippedImage()));

    auto translator = std::make_unique<QTranslator>();
    const QString line = Translation::install(*translator, QStringLiteral("Lang_de_DE"),
                                              {first.path(), second.path()});
    QCOMPARE(line, problem.isEmpty() ? QString() : problem.arg(localPath));
    QCOMPARE(QCoreApplication::translate("MainWindow", "Connect"), connect);
    QCoreApplication::removeTranslator(translator.get());
}

// Every message of the translation source is finished and has a translation (each plural form
// too); vanished and obsolete ones are not shipped and do not count.
void tst_Translation::everyTextIsTranslated()
{
    QFile file(QStringLiteral(TOVRIK_SOURCE_DIR "/translations/Lang_de_DE.ts"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList missing;
    QString context;
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            if (type == QLatin1String("vanished") || type == QLatin1String("obsolete"))
                continue;
            // Plural forms are <numerusform> children; a plain translation is the text.
            QStringList forms;
            QString text;
            while (!(xml.isEndElement() && xml.name() == QLatin1String("translation"))) {
                xml.readNext();
                if (xml.isStartElement() && xml.name() == QLatin1String("numerusform"))
                    forms << xml.readElementText();
                else if (xml.isCharacters())
                    text += xml.text();
            }
            if (forms.isEmpty())
                forms << text.trimmed();
            if (type == QLatin1String("unfinished") || forms.contains(QString()))
                missing << context + QStringLiteral(": ") + source;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY2(missing.isEmpty(),
             qPrintable(QStringLiteral("%1 untranslated or unfinished:\n").arg(missing.size()) +
                        missing.mid(0, 30).join(QLatin1Char('\n'))));
}

// Qt's own texts (standard buttons, file dialogs) come from Qt's translation, which the
// package depends on.
void tst_Translation::qtsOwnTextsAreTranslated()
{
    QVERIFY2(Translation::installQt(QLocale(QStringLiteral("de_DE"))),
             qPrintable(QStringLiteral("no qtbase_de.qm in %1 (package qt6-translations-l10n)")
                            .arg(QLibraryInfo::path(QLibraryInfo::TranslationsPath))));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    for (QTranslator* translator : qApp->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(translator);
}

void tst_Translation::menusHaveDistinctAltLetters_data()
{
    QTest::addColumn<bool>("german");
    QTest::newRow("English") << false;
    QTest::newRow("German") << true;
}

// Every entry of every menu of the window, the menu bar's titles too, has an Alt-letter, and
// no two entries of one menu share theirs.
void tst_Translation::menusHaveDistinctAltLetters()
{
    QFETCH(bool, german);
    QTranslator translator;
    // Loaded from memory, the translator reads the image as long as it is installed.
    const QByteArray image = german ? shippedImage() : QByteArray();
    if (german) {
        QVERIFY(
            translator.load(reinterpret_cast<const uchar*>(image.constData()), int(image.size())));
        QCoreApplication::installTranslator(&translator);
    }
    MainWindow window;
    QCoreApplication::removeTranslator(&translator);

    const auto altLetter = [](const QString& text) -> QChar {
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            if (text.at(i) != QLatin1Char('&'))
                continue;
            if (text.at(i + 1) != QLatin1Char('&'))
                return text.at(i + 1).toLower();
            ++i; // "&&" is a plain '&'
        }
        return QChar();
    };
    QStringList faults;
    std::function<void(const QString&, const QList<QAction*>&)> check =
        [&](const QString& where, const QList<QAction*>& actions) {
            QMap<QChar, QString> taken;
            for (const QAction* action : actions) {
                if (action->isSeparator() || action->text().isEmpty())
                    continue;
                const QChar letter = altLetter(action->text());
                if (letter.isNull())
                    faults
                        << QStringLiteral("%1: '%2' has no Alt-letter").arg(where, action->text());
                else if (taken.contains(letter))
                    faults << QStringLiteral("%1: '%2' and '%3' share '%4'")
                                  .arg(where, taken.value(letter), action->text(), letter);
                else
                    taken.insert(letter, action->text());
                if (action->menu())
                    check(action->text(), action->menu()->actions());
            }
        };
    check(QStringLiteral("menu bar"), window.menuBar()->actions());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

QTEST_MAIN(tst_Translation)
#include "tst_translation.moc"
