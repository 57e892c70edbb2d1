#include "rtdialog.h"
#include "ui_rtdialog.h"

#include "mainwindow.h"
#include "mkhelper.h"
#include "rtplot.h"

#include <QHeaderView>
#include <QSettings>
#include <QSignalBlocker>

namespace {
// A 'D' payload starts with two status bytes; the analog values follow, two bytes each, low
// byte first, in the order of the label indices.
constexpr int DebugValuesOffset = 2;
constexpr int DebugValueSize = 2;
} // namespace

RtDialog::RtDialog(QWidget* parent) : QDialog(parent), ui_(new Ui_RtDialog)
{
    clock_.start();
    initGUI_();
}

RtDialog::~RtDialog()
{
    delete ui_;
    ui_ = nullptr;
}

void RtDialog::initGUI_()
{
    ui_->setupUi(this);
    ui_->refreshLabelsPushButton_->setEnabled(false);
    ui_->refreshDataPushButton_->setEnabled(false);

    // The plot is the splitter's second pane, under the table.
    plot_ = new RtPlot(ui_->splitter);
    plot_->setObjectName(QStringLiteral("rtPlot_"));
    ui_->splitter->addWidget(plot_);
    ui_->splitter->setStretchFactor(0, 1);
    ui_->splitter->setStretchFactor(1, 1);
    plot_->hide(); // shown while at least one channel is ticked
    connect(ui_->tableWidget_, &QTableWidget::itemChanged, this, &RtDialog::onItemChanged_);

    // The parent is always the main window, which creates this dialog for itself.
    auto* mainWindow = static_cast<MainWindow*>(parentWidget());
    connect(ui_->refreshLabelsPushButton_, &QPushButton::clicked, this,
            &RtDialog::onRefreshLabelsButton_);
    connect(ui_->refreshDataPushButton_, &QPushButton::clicked, this,
            &RtDialog::onRefreshDataButton_);
    connect(mainWindow, &MainWindow::labelsListReady, this, &RtDialog::onLabelsListReady_);
    connect(mainWindow, &MainWindow::serialConnectionOpened, this, &RtDialog::onSerialOpened_);

    readSettings_();
}

void RtDialog::setLabels(const QStringList& labels)
{
    rowCount_ = 0;
    subscribedLabels_.clear();
    ui_->tableWidget_->clearContents();
    ui_->tableWidget_->setRowCount(0);
    // The rows may now stand for other channels: their history starts afresh.
    plot_->clear();
    for (const QString& label : labels)
        subscribe(label);
    updatePlotVisibility_();
    ui_->tableWidget_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void RtDialog::subscribe(const QString& label)
{
    subscribedLabels_.append(label);
    QTableWidget* table = ui_->tableWidget_;
    table->insertRow(rowCount_);
    auto* labelItem = new QTableWidgetItem(label);
    labelItem->setFlags(labelItem->flags() | Qt::ItemIsUserCheckable);
    labelItem->setCheckState(checkedChannels_.contains(channelName_(label)) ? Qt::Checked
                                                                            : Qt::Unchecked);
    // Set the value cell first: the label cell's change signal then sees a complete row.
    table->setItem(rowCount_, 1, new QTableWidgetItem);
    table->setItem(rowCount_, 0, labelItem);
    ++rowCount_;
}

void RtDialog::unsubscribe(const QString& label)
{
    subscribedLabels_.removeOne(label);
}

void RtDialog::onReceiveData(char cmd, int address, const QByteArray& payload)
{
    Q_UNUSED(address);
    if (cmd != 'D')
        return;
    QTableWidget* table = ui_->tableWidget_;
    QAbstractItemModel* model = table->model();
    QVector<int> values;
    int firstRow = -1;
    {
        // Each cell change would make the header measure every row again (its sections fit
        // their contents): the model's per-cell signals are held back and the changed rows are
        // announced once, which makes a frame some fifty times cheaper.
        const QSignalBlocker blocker(model);
        for (int i = 0; i < subscribedLabels_.size(); ++i) {
            const qsizetype pos = DebugValuesOffset + qsizetype(i) * DebugValueSize;
            // A short payload has no value for this row or any later one: they keep their text.
            if (pos + DebugValueSize > payload.size())
                break;
            QTableWidgetItem* item = table->item(i, 1);
            if (!item)
                continue;
            const int value = MkHelper::toInt(payload, int(pos), true);
            item->setText(QString::number(value));
            if (firstRow < 0)
                firstRow = i;
            values.resize(i + 1);
            values[i] = value;
        }
    }
    if (firstRow >= 0)
        emit model->dataChanged(model->index(firstRow, 1), model->index(values.size() - 1, 1));
    if (!values.isEmpty())
        plot_->addSample(clock_.elapsed(), values);
}

void RtDialog::writeSettings()
{
    QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
    settings.beginGroup(QStringLiteral("RtDialog"));
    settings.setValue(QStringLiteral("size"), size());
    settings.setValue(QStringLiteral("pos"), pos());
    settings.setValue(QStringLiteral("checkedChannels"), checkedChannels_);
    settings.setValue(QStringLiteral("splitter"), ui_->splitter->saveState());
    settings.endGroup();
}

void RtDialog::readSettings_()
{
    QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
    settings.beginGroup(QStringLiteral("RtDialog"));
    resize(settings.value(QStringLiteral("size"), QSize(230, 340)).toSize());
    move(settings.value(QStringLiteral("pos"), QPoint(200, 200)).toPoint());
    checkedChannels_ = settings.value(QStringLiteral("checkedChannels")).toStringList();
    const QByteArray splitterState = settings.value(QStringLiteral("splitter")).toByteArray();
    if (!splitterState.isEmpty())
        ui_->splitter->restoreState(splitterState);
    settings.endGroup();
}

void RtDialog::onRefreshLabelsButton_()
{
    ui_->tableWidget_->clearContents();
    plot_->clear();
    updatePlotVisibility_();
    static_cast<MainWindow*>(parentWidget())->rqGetLabelsList();
}

void RtDialog::onRefreshDataButton_()
{
    static_cast<MainWindow*>(parentWidget())->rqRefreshData();
}

void RtDialog::onLabelsListReady_(QStringList labels)
{
    setLabels(labels);
}

void RtDialog::onSerialOpened_(bool open)
{
    ui_->refreshLabelsPushButton_->setEnabled(open);
    ui_->refreshDataPushButton_->setEnabled(open);
}

void RtDialog::onItemChanged_(QTableWidgetItem* item)
{
    if (item->column() != 0)
        return;
    const int row = item->row();
    const QString name = channelName_(item->text());
    const bool checked = item->checkState() == Qt::Checked;
    if (checked != plot_->isChannelShown(row)) {
        // Only a change of the tick counts as the user's choice; an edited label is renamed.
        if (checked && !checkedChannels_.contains(name))
            checkedChannels_.append(name);
        else if (!checked)
            checkedChannels_.removeAll(name);
    }
    plot_->setChannelShown(row, name, checked);
    updatePlotVisibility_();
}

void RtDialog::updatePlotVisibility_()
{
    // The plot takes room from the table only while it has something to draw.
    bool anyTicked = false;
    for (int row = 0; row < ui_->tableWidget_->rowCount() && !anyTicked; ++row) {
        const QTableWidgetItem* item = ui_->tableWidget_->item(row, 0);
        anyTicked = item && item->checkState() == Qt::Checked;
    }
    plot_->setVisible(anyTicked);
}

QString RtDialog::channelName_(const QString& label)
{
    // Device labels are padded with spaces to a fixed width.
    return label.trimmed();
}
