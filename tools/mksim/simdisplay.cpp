#include "simdisplay.h"

#include "displaytext.h"

void SimDisplay::press(quint8 keysByte)
{
    if (pages_.isEmpty())
        return;
    const quint8 pressed = quint8(~keysByte) & 0x0F;
    const int n = int(pages_.size());
    if (pressed & DisplayText::PreviousPage)
        current_ = (current_ + n - 1) % n;
    if (pressed & DisplayText::NextPage)
        current_ = (current_ + 1) % n;
    Page& p = pages_[current_];
    if (p.step != 0) {
        if (pressed & DisplayText::Item1)
            p.value = qMax(p.low, p.value - p.step);
        if (pressed & DisplayText::Item2)
            p.value = qMin(p.high, p.value + p.step);
    }
}

QByteArray SimDisplay::screen() const
{
    QByteArray out;
    const QStringList lines =
        pages_.isEmpty() ? QStringList() : pages_[current_].render(pages_[current_].value);
    for (int i = 0; i < DisplayText::kLines; ++i) {
        QByteArray line = i < lines.size() ? lines[i].toLatin1() : QByteArray();
        line = line.left(DisplayText::kColumns);
        line.append(DisplayText::kColumns - line.size(), ' ');
        out += line;
    }
    return out;
}

QByteArray SimDisplay::oneLine() const
{
    return screen().left(DisplayText::kColumns);
}
