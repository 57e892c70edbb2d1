#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "fielddecoder.h"
#include "framelogmodel.h"
#include "framestore.h"
#include "mkhelper.h"

#include <QTreeWidgetItem>

void MainWindow::onFrameSelection_()
{
    // Only one whole row is decoded; any other selection keeps the tree as it is.
    const QModelIndexList selected = ui_->tableWidgetFrame_->selectionModel()->selectedIndexes();
    if (selected.size() != frameLog_->columnCount())
        return;
    const int row = selected.constFirst().row();
    for (const QModelIndex& index : selected) {
        if (index.row() != row)
            return;
    }
    const qsizetype at = frameLog_->storeIndex(row);
    if (at < 0 || at >= frameStore()->size())
        return;
    const FrameRecord& record = frameStore()->at(at);

    ui_->treeWidgetFrame_->clear();
    auto* frame = new QTreeWidgetItem(ui_->treeWidgetFrame_, QStringList(tr("frame")));

    char cmd = 0;
    int address = 0;
    QByteArray payload;
    // Every logged frame passed its check on arrival; the verdict is not needed here.
    (void)MkHelper::decodeFrame(record.bytes, cmd, address, payload);

    new QTreeWidgetItem(frame, QStringList(tr("cmd: %1").arg(QChar(ushort(quint8(cmd))))));
    new QTreeWidgetItem(frame, QStringList(tr("address: %1").arg(MkHelper::parseAddress(address))));
    auto* data = new QTreeWidgetItem(frame, QStringList(tr("data")));
    for (const QString& text : FieldDecoder::decode(frameModels_, cmd, payload))
        new QTreeWidgetItem(data, QStringList(text));

    data->setExpanded(true);
    frame->setExpanded(true);
}
