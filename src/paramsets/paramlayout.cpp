#include "paramlayout.h"

#include "fielddecoder.h"
#include "fieldlayout.h"

#include <QSet>

const ParamField* ParamLayout::field(const QString& name) const
{
    for (const ParamField& f : fields_) {
        if (f.name == name)
            return &f;
    }
    return nullptr;
}

bool ParamLayout::fromModel(const FrameModel& model, ParamLayout& layout, QString& error)
{
    if (model.revision < 0) {
        error = QStringLiteral("the definition names no revision");
        return false;
    }
    ParamLayout out;
    out.revision_ = model.revision;
    out.structureAt_ = model.revisionAt;
    QSet<QString> seen;
    int offset = 0; // within the payload
    for (qsizetype k = 0; k < model.fieldNames.size(); ++k) {
        const QString& type = model.fieldTypes.at(k);
        ParamField f;
        f.name = model.fieldNames.at(k);
        f.type = type;
        if (type == QLatin1String("u8") || type == QLatin1String("s8")) {
            f.count = 1;
            f.isText = type == QLatin1String("s8");
        } else if (type.startsWith(QLatin1String("u8[")) || type.startsWith(QLatin1String("s8["))) {
            FieldLayout::Field parsed;
            f.count =
                FieldLayout::parseType(type, parsed) ? int(qMin<qint64>(parsed.count, 4097)) : 0;
            f.isArray = true;
            f.isText = type.startsWith(QLatin1Char('s'));
            if (f.count <= 0 || f.count > 4096) {
                error = QStringLiteral("field %1 has the type %2").arg(f.name, type);
                return false;
            }
        } else {
            error = QStringLiteral("field %1 has the type %2, which a parameter set cannot hold")
                        .arg(f.name, type);
            return false;
        }
        if (k < model.fieldExtras.size())
            f.extra = model.fieldExtras.at(k);
        f.offset = offset - out.structureAt_;
        offset += f.count;
        if (f.offset < 0)
            continue; // the set number in front of the structure
        if (seen.contains(f.name)) {
            error = QStringLiteral("field %1 appears twice").arg(f.name);
            return false;
        }
        seen.insert(f.name);
        out.fields_ << f;
    }
    if (out.fields_.isEmpty() || out.fields_.first().offset != 0 ||
        out.fields_.first().count != 1 || out.fields_.first().isText) {
        error = QStringLiteral("the structure does not start with its revision byte");
        return false;
    }
    out.size_ = offset - out.structureAt_;
    layout = out;
    return true;
}

QList<ParamLayout> ParamLayout::fromModels(const QList<FrameModel>& models)
{
    QList<ParamLayout> layouts;
    for (const FrameModel& model : models) {
        ParamLayout layout;
        QString error;
        if (model.cmd == kAnswer && model.revision >= 0 && !find(layouts, model.revision) &&
            fromModel(model, layout, error))
            layouts << layout;
    }
    return layouts;
}

const ParamLayout* ParamLayout::find(const QList<ParamLayout>& layouts, int revision)
{
    for (const ParamLayout& layout : layouts) {
        if (layout.revision() == revision)
            return &layout;
    }
    return nullptr;
}
