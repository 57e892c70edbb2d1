#include "translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QtEndian>

namespace {

// Block tags of a translation file.
enum : quint8
{
    TagContexts = 0x2f,
    TagHashes = 0x42,
    TagMessages = 0x69,
    TagNumerusRules = 0x88,
    TagDependencies = 0x96,
    TagLanguage = 0xa7,
};

// Item tags inside a message.
enum : quint8
{
    ItemEnd = 1,
    ItemTranslation = 3,
    ItemObsolete1 = 5,
    ItemSourceText = 6,
    ItemContext = 7,
    ItemComment = 8,
};

const uchar kMagic[16] = {0x3c, 0xb8, 0x64, 0x18, 0xca, 0xef, 0x9c, 0x95,
                          0xcd, 0x21, 0x1c, 0xbf, 0x60, 0xa1, 0xbd, 0xdd};

struct Block
{
    const uchar* data = nullptr;
    quint32 size = 0;
    bool present = false;
};

quint32 read32(const uchar* p)
{
    return qFromBigEndian<quint32>(p);
}

quint16 read16(const uchar* p)
{
    return qFromBigEndian<quint16>(p);
}

// The message starting at `offset`: the translator reads items until an end item or an item it
// does not know (where it stops), each length-prefixed item within the block.
bool validMessage(const Block& messages, quint32 offset)
{
    if (offset >= messages.size)
        return false;
    quint32 at = offset;
    const quint32 end = messages.size;
    while (at < end) {
        const quint8 tag = messages.data[at++];
        switch (tag) {
        case ItemEnd:
            return true;
        case ItemObsolete1:
            if (end - at < 4)
                return false;
            at += 4;
            break;
        case ItemTranslation:
        case ItemSourceText:
        case ItemContext:
        case ItemComment: {
            if (end - at < 4)
                return false;
            const quint32 length = read32(messages.data + at);
            at += 4;
            if (length > end - at)
                return false;
            // A translation is UTF-16; a comment's first byte is read even when it is empty.
            if (tag == ItemTranslation && length % 2 != 0)
                return false;
            if (tag == ItemComment && length == 0 && at >= end)
                return false;
            at += length;
            break;
        }
        default:
            return true; // the translator stops here without reading further
        }
    }
    return true; // ran out of items: the translator stops too
}

// Every (hash, offset) entry points at a sound message.
bool validHashes(const Block& hashes, const Block& messages)
{
    if (hashes.size % 8 != 0)
        return false;
    for (quint32 at = 0; at < hashes.size; at += 8) {
        if (!validMessage(messages, read32(hashes.data + at + 4)))
            return false;
    }
    return true;
}

// A hash table of 16-bit slotCount, each 0 or the index (in 16-bit units) of a chain of
// length-prefixed context names ended by a zero length.
bool validContexts(const Block& contexts)
{
    if (contexts.size == 0)
        return true;
    if (contexts.size < 2)
        return false;
    const quint32 slotCount = read16(contexts.data);
    if (slotCount == 0 || 2 + 2 * slotCount > contexts.size)
        return false;
    for (quint32 slot = 0; slot < slotCount; ++slot) {
        const quint32 index = read16(contexts.data + 2 + 2 * slot);
        if (index == 0)
            continue;
        quint32 at = 2 + 2 * slotCount + 2 * index;
        for (;;) {
            if (at >= contexts.size)
                return false;
            const quint8 length = contexts.data[at++];
            if (length == 0)
                break;
            if (length > contexts.size - at)
                return false;
            at += length;
        }
    }
    return true;
}

// Plural rules: operator bytes with one or two operands, joined by and/or/new-rule bytes.
bool validNumerusRules(const Block& rules)
{
    enum : quint8
    {
        Eq = 1,
        Lt = 2,
        Leq = 3,
        Between = 4,
        OpMask = 7,
        And = 0xfd,
        Or = 0xfe,
        NewRule = 0xff
    };
    if (rules.size == 0)
        return true;
    quint32 at = 0;
    for (;;) {
        const quint8 opcode = rules.data[at];
        if (opcode & 0x80)
            return false;
        const quint8 op = opcode & OpMask;
        const quint32 operands = op == Between ? 2 : (op == Eq || op == Lt || op == Leq) ? 1 : 0;
        if (operands == 0 || rules.size - at - 1 < operands)
            return false;
        at += 1 + operands;
        if (at == rules.size)
            return true;
        const quint8 join = rules.data[at];
        if (join != And && join != Or && join != NewRule)
            return false;
        if (++at == rules.size)
            return false;
    }
}

QList<QByteArray>& keptImages()
{
    // An installed translator reads its file in place for the rest of the run.
    static QList<QByteArray> images;
    return images;
}

} // namespace

QStringList Translation::candidates(const QString& baseName, const QStringList& directories)
{
    QStringList names;
    QString name = baseName;
    for (;;) {
        names << name + QStringLiteral(".qm") << name;
        const qsizetype cut = name.lastIndexOf(QLatin1Char('_'));
        if (cut <= 0)
            break;
        name.truncate(cut);
    }
    QStringList paths;
    for (const QString& directory : directories) {
        for (const QString& n : std::as_const(names))
            paths << (directory.isEmpty() ? n : QDir(directory).filePath(n));
    }
    return paths;
}

QStringList Translation::directories()
{
    QStringList dirs{QString()};
    if (QCoreApplication::instance()) {
        dirs << QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                QStringLiteral("/../share/tovrik/translations"));
    }
    return dirs;
}

bool Translation::isValid(const QByteArray& image)
{
    const auto* data = reinterpret_cast<const uchar*>(image.constData());
    const qsizetype size = image.size();
    if (size < qsizetype(sizeof kMagic) || memcmp(data, kMagic, sizeof kMagic) != 0)
        return false;

    Block contexts, hashes, messages, rules;
    qsizetype at = sizeof kMagic;
    // Blocks: a tag byte, a 32-bit length, the data. Fewer than five bytes at the end are
    // ignored, as the translator does.
    while (size - at >= 5) {
        const quint8 tag = data[at];
        const quint32 length = read32(data + at + 1);
        at += 5;
        if (length > quint64(size - at))
            return false;
        const Block block{data + at, length, true};
        switch (tag) {
        case TagContexts:
            contexts = block;
            break;
        case TagHashes:
            hashes = block;
            break;
        case TagMessages:
            messages = block;
            break;
        case TagNumerusRules:
            rules = block;
            break;
        case TagDependencies:
            // Would make the translator load further files, named by this one.
            return false;
        default:
            break; // the language name and unknown blocks are read safely or not at all
        }
        at += length;
    }
    return validHashes(hashes, messages) && validContexts(contexts) && validNumerusRules(rules);
}

bool Translation::installQt(const QLocale& locale)
{
    // Qt's files come with Qt itself, from its own installation: loaded as Qt loads them.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (!qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return false;
    }
    QCoreApplication::installTranslator(qt);
    return true;
}

QString Translation::install(QTranslator& translator)
{
    installQt(QLocale::system());
    return install(translator, QStringLiteral("Lang_") + QLocale::system().name(), directories());
}

QString Translation::install(QTranslator& translator, const QString& baseName,
                             const QStringList& directories)
{
    for (const QString& path : candidates(baseName, directories)) {
        const QFileInfo info(path);
        if (!info.exists())
            continue;
        const auto refuse = [&path](const char* why) {
            return QCoreApplication::translate("MainWindow", "Translation file '%1' not loaded: %2")
                .arg(path, QCoreApplication::translate("MainWindow", why));
        };
        if (!info.isFile())
            return refuse(QT_TRANSLATE_NOOP("MainWindow", "not a regular file"));
        if (info.size() > kMaxFileBytes)
            return refuse(QT_TRANSLATE_NOOP("MainWindow", "too large"));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return refuse(QT_TRANSLATE_NOOP("MainWindow", "cannot be read"));
        QByteArray image = file.read(kMaxFileBytes + 1);
        if (image.size() > kMaxFileBytes)
            return refuse(QT_TRANSLATE_NOOP("MainWindow", "too large"));
        if (!isValid(image) ||
            !translator.load(reinterpret_cast<const uchar*>(image.constData()), int(image.size())))
            return refuse(QT_TRANSLATE_NOOP("MainWindow", "the file is damaged"));
        keptImages().append(image);
        QCoreApplication::installTranslator(&translator);
        return QString();
    }
    // Installed even without a file, as before: it then translates nothing.
    QCoreApplication::installTranslator(&translator);
    return QString();
}
