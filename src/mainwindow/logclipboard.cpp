#include "logclipboard.h"

#include "framelogmodel.h"

#include <QStringList>

QString LogClipboard::text(const FrameLogModel& model, const QList<int>& rows, Format format)
{
    QString out;
    const int columns = model.columnCount();
    if (format == Table) {
        QStringList header;
        for (int c = 0; c < columns; ++c)
            header << model.headerData(c, Qt::Horizontal).toString();
        out += header.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    for (const int row : rows) {
        switch (format) {
        case Table: {
            QStringList cells;
            for (int c = 0; c < columns; ++c) {
                // A tab or line break inside a cell would break the table apart.
                QString cell = model.data(model.index(row, c)).toString();
                cell.replace(QLatin1Char('\t'), QLatin1Char(' '));
                cell.replace(QLatin1Char('\n'), QLatin1Char(' '));
                cell.replace(QLatin1Char('\r'), QLatin1Char(' '));
                cells << cell;
            }
            out += cells.join(QLatin1Char('\t'));
            break;
        }
        case Hex:
            out += QString::fromLatin1(model.frameBytes(row).toHex(' '));
            break;
        case Frames: {
            QByteArray frame = model.frameBytes(row);
            while (frame.endsWith('\r') || frame.endsWith('\n'))
                frame.chop(1);
            out += QString::fromLatin1(frame);
            break;
        }
        }
        out += QLatin1Char('\n');
    }
    return out;
}
