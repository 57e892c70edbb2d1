#include "paramfile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QByteArray ParamFile::toJson(const ParamSet& set)
{
    QJsonObject root;
    root.insert(QStringLiteral("format"), QLatin1String(kFormat));
    root.insert(QStringLiteral("version"), kVersion);
    root.insert(QStringLiteral("revision"), set.revision());
    root.insert(QStringLiteral("set"), set.setNumber());
    root.insert(QStringLiteral("name"), set.name());
    root.insert(QStringLiteral("fields"), set.values());
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool ParamFile::write(const QString& path, const ParamSet& set, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    file.write(toJson(set));
    if (!file.commit()) {
        error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool ParamFile::read(const QString& path, ParamFile& out, QString& error)
{
    // Opened without blocking and checked on the descriptor, so a FIFO cannot hang the reader.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error =
            QStringLiteral("Cannot read %1: %2").arg(path, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        error = QStringLiteral("%1 is not a regular file").arg(path);
        return false;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.read(kMaxBytes + 1);
    if (bytes.size() > kMaxBytes) {
        error = QStringLiteral("%1 is larger than a parameter set file can be").arg(path);
        return false;
    }
    if (!parse(bytes, out, error)) {
        error = QStringLiteral("%1: %2").arg(path, error);
        return false;
    }
    return true;
}

bool ParamFile::parse(const QByteArray& bytes, ParamFile& out, QString& error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = QStringLiteral("not a parameter set file (JSON error at byte %1: %2)")
                    .arg(parseError.offset)
                    .arg(parseError.errorString());
        return false;
    }
    const QJsonObject root = doc.object();
    if (!doc.isObject() ||
        root.value(QStringLiteral("format")).toString() != QLatin1String(kFormat)) {
        error = QStringLiteral("not a parameter set file (format is not %1)")
                    .arg(QLatin1String(kFormat));
        return false;
    }
    const int version = root.value(QStringLiteral("version")).toInt(-1);
    if (version < 1 || version > kVersion) {
        error = QStringLiteral("file version %1 is not one this program reads (up to %2)")
                    .arg(version)
                    .arg(kVersion);
        return false;
    }
    const QJsonValue revision = root.value(QStringLiteral("revision"));
    const QJsonValue set = root.value(QStringLiteral("set"));
    const QJsonValue fields = root.value(QStringLiteral("fields"));
    if (!revision.isDouble() || revision.toInt(-1) < 0 || revision.toInt(-1) > 255 ||
        !set.isDouble() || !fields.isObject()) {
        error = QStringLiteral("the file lacks its revision, set number or fields");
        return false;
    }
    ParamFile file;
    file.revision = revision.toInt();
    file.setNumber = set.toInt();
    file.name = root.value(QStringLiteral("name")).toString();
    file.fields = fields.toObject();
    out = file;
    return true;
}

ParamFile::Mapping ParamFile::mapOnto(const ParamSet& base, const QList<ParamLayout>& layouts) const
{
    Mapping m;
    m.set = base;
    const ParamLayout& target = base.layout();
    const ParamLayout* own = ParamLayout::find(layouts, revision);
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        const QString& name = it.key();
        if (name == QLatin1String("Revision"))
            continue; // the target keeps its own
        if (!target.field(name)) {
            if (own && !own->field(name))
                m.errors << QStringLiteral("unknown field %1").arg(name);
            else if (own || revision != target.revision())
                m.targetLacks << name;
            else
                m.errors << QStringLiteral("unknown field %1").arg(name);
            continue;
        }
        QString why;
        if (!m.set.setValue(name, it.value(), why))
            m.errors << why;
    }
    for (const ParamField& f : target.fields()) {
        if (f.name != QLatin1String("Revision") && !fields.contains(f.name))
            m.fileLacks << f.name;
    }
    return m;
}

QStringList fieldOrder(const ParamLayout& layout)
{
    QStringList names;
    for (const ParamField& f : layout.fields())
        names << f.name;
    return names;
}

QList<ParamDifference> compareParams(const QStringList& leftOrder, const QJsonObject& left,
                                     const QStringList& rightOrder, const QJsonObject& right)
{
    QList<ParamDifference> out;
    QStringList names = leftOrder;
    for (const QString& name : rightOrder) {
        if (!left.contains(name))
            names << name;
    }
    for (const QString& name : names) {
        const QJsonValue a = left.value(name);
        const QJsonValue b = right.value(name);
        if (a != b)
            out.append({name, ParamSet::jsonText(a), ParamSet::jsonText(b)});
    }
    return out;
}

QList<ParamDifference> compareParams(const ParamSet& left, const ParamSet& right)
{
    return compareParams(fieldOrder(left.layout()), left.values(), fieldOrder(right.layout()),
                         right.values());
}
