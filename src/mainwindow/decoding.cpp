#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "fielddecoder.h"
#include "mkhelper.h"

#include <QTreeWidgetItem>

void MainWindow::onFrameSelection_()
{
    // Only one whole row (four cells) is decoded; any other selection keeps the tree as it is.
    const QList<QTableWidgetItem*> selected = ui_->tableWidgetFrame_->selectedItems();
    if (selected.size() != 4)
        return;
    const int row = selected.constFirst()->row();
    if (row < 0 || row >= frames_.size())
        return;

    ui_->treeWidgetFrame_->clear();
    auto* frame = new QTreeWidgetItem(ui_->treeWidgetFrame_, QStringList(tr("frame")));

    char cmd = 0;
    int address = 0;
    QByteArray payload;
    // Every logged frame passed its check on arrival; the verdict is not needed here.
    (void)MkHelper::decodeFrame(frames_.at(row), cmd, address, payload);

    new QTreeWidgetItem(frame,
                        QStringList(QStringLiteral("cmd: %1").arg(QChar(ushort(quint8(cmd))))));
    new QTreeWidgetItem(frame, QStringList(tr("address: %1").arg(MkHelper::parseAddress(address))));
    auto* data = new QTreeWidgetItem(frame, QStringList(tr("data")));
    for (const QString& text : FieldDecoder::decode(frameModels_, cmd, payload))
        new QTreeWidgetItem(data, QStringList(text));

    data->setExpanded(true);
    frame->setExpanded(true);
}
