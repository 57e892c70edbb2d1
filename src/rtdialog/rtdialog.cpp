#include "rtdialog.h"
#include "ui_rtdialog.h"

#include "displaytick.h"
#include "livestream.h"
#include "mkrecords.h"
#include "plaintextdelegate.h"
#include "rtplot.h"
#include "screengeometry.h"
#include "settingsstore.h"
#include "windowfitter.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>

namespace {
// Size the dialog grows to, at least, when the plot first appears.
constexpr QSize PlotDialogSize(420, 620);
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

    // The value column keeps the width of the widest value (-32768, or 65535 unsigned), so a
    // value is never cut off; the label column takes what is left.
    QHeaderView* header = ui_->tableWidget_->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    const int valueWidth =
        ui_->tableWidget_->fontMetrics().horizontalAdvance(QStringLiteral("-32768")) + 16;
    const int titleWidth = header->fontMetrics().horizontalAdvance(
                               ui_->tableWidget_->horizontalHeaderItem(1)->text()) +
                           16;
    header->resizeSection(1, std::max(valueWidth, titleWidth));
    // The values change with every 'D' frame and are repainted several times a second.
    ui_->tableWidget_->setItemDelegateForColumn(1, new PlainTextDelegate(ui_->tableWidget_));

    // The plot is the splitter's second pane, under the table.
    plot_ = new RtPlot(ui_->splitter);
    plot_->setObjectName(QStringLiteral("rtPlot_"));
    ui_->splitter->addWidget(plot_);
    ui_->splitter->setStretchFactor(0, 1);
    ui_->splitter->setStretchFactor(1, 2);
    plot_->hide(); // shown while at least one channel is ticked
    connect(ui_->tableWidget_, &QTableWidget::itemChanged, this, &RtDialog::onItemChanged_);

    valuePacer_ = new TickPacer(
        ValueRepaintMs, [this] { announceValues_(); }, this);

    live_ = new LiveStream(this);
    connect(ui_->liveCheckBox_, &QCheckBox::toggled, live_, &LiveStream::setEnabled);
    connect(live_, &LiveStream::renewRequested, this, &RtDialog::dataRequested);
    connect(live_, &LiveStream::stopRequested, this, &RtDialog::dataStopRequested);

    connect(ui_->refreshLabelsPushButton_, &QPushButton::clicked, this,
            &RtDialog::onRefreshLabelsButton_);
    connect(ui_->refreshDataPushButton_, &QPushButton::clicked, this,
            &RtDialog::onRefreshDataButton_);

    readSettings_();
    // Grown for the plot or restored, the dialog stays on its screen.
    WindowFitter::watch(this);
}

void RtDialog::setLabels(const QStringList& labels)
{
    rowCount_ = 0;
    subscribedLabels_.clear();
    units_.clear();
    ui_->tableWidget_->clearContents();
    ui_->tableWidget_->setRowCount(0);
    dropPendingValues_();
    // The rows may now stand for other channels: their history starts afresh.
    plot_->clear();
    for (const QString& label : labels)
        subscribe(label);
    updatePlotVisibility_();
}

void RtDialog::subscribe(const QString& label)
{
    subscribedLabels_.append(label);
    units_.append(ChannelUnit::parse(label));
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
    const qsizetype index = subscribedLabels_.indexOf(label);
    if (index < 0)
        return;
    subscribedLabels_.removeAt(index);
    units_.removeAt(index);
}

void RtDialog::onReceiveData(char cmd, int address, const QByteArray& payload, qint64 ageMs)
{
    if (cmd != 'D')
        return;
    const bool isSigned = address != NaviCtrlAddress;
    const int rows = int(subscribedLabels_.size());
    pendingRaw_.resize(rows);
    QVector<double> values;
    values.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        int raw = 0;
        // A short payload has no value for this row or any later one: they keep their text.
        if (!MkRecords::analogValue(payload, i, isSigned, raw))
            break;
        pendingRaw_[i] = raw;
        values.append(units_.at(i).value(raw));
    }
    if (!values.isEmpty()) {
        const int lastRow = int(values.size()) - 1;
        pendingFirstRow_ = 0;
        pendingLastRow_ = std::max(pendingLastRow_, lastRow);
        valuePacer_->request();
        // Never before a sample already plotted: the plot's times only grow.
        lastSampleMs_ = std::max(lastSampleMs_, clock_.elapsed() - std::max<qint64>(ageMs, 0));
        plot_->addSample(lastSampleMs_, values);
    }
}

void RtDialog::writeSettings()
{
    using S = SettingsStore;
    if (!S::mayWrite())
        return;
    const std::unique_ptr<QSettings> store = S::open();
    QSettings& settings = *store;
    settings.beginGroup(S::kRtDialogGroup);
    settings.setValue(S::kSize, size());
    settings.setValue(S::kPos, pos());
    settings.setValue(S::kCheckedChannels, checkedChannels_);
    settings.setValue(S::kSplitter, ui_->splitter->saveState());
    settings.setValue(S::kLive, ui_->liveCheckBox_->isChecked());
    settings.endGroup();
    S::sync(settings);
}

void RtDialog::readSettings_()
{
    using S = SettingsStore;
    const std::unique_ptr<QSettings> store = S::open();
    QSettings& settings = *store;
    settings.beginGroup(S::kRtDialogGroup);
    ScreenGeometry::restore(this, settings.value(S::kSize), settings.value(S::kPos),
                            QSize(230, 340), QPoint(200, 200));
    checkedChannels_ = settings.value(S::kCheckedChannels).toStringList();
    const QByteArray splitterState = settings.value(S::kSplitter).toByteArray();
    if (!splitterState.isEmpty())
        ui_->splitter->restoreState(splitterState);
    ui_->liveCheckBox_->setChecked(settings.value(S::kLive, false).toBool());
    settings.endGroup();
}

void RtDialog::onRefreshLabelsButton_()
{
    ui_->tableWidget_->clearContents();
    plot_->clear();
    updatePlotVisibility_();
    emit labelsRequested();
}

void RtDialog::onRefreshDataButton_()
{
    emit dataRequested();
}

void RtDialog::onLabelsListReady_(QStringList labels)
{
    setLabels(labels);
}

void RtDialog::onSerialOpened_(bool open)
{
    ui_->refreshLabelsPushButton_->setEnabled(open);
    ui_->refreshDataPushButton_->setEnabled(open);
    live_->setPortOpen(open);
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
    const QString legend =
        row < units_.size() ? ChannelUnit::parse(item->text()).displayName() : name;
    plot_->setChannelShown(row, legend, checked);
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
    if (!anyTicked || grownForPlot_)
        return;
    // The first time the plot appears, the dialog grows to give it a useful height; after
    // that the user's size stands.
    grownForPlot_ = true;
    QSize wanted = size().expandedTo(PlotDialogSize);
    if (const QScreen* screen = this->screen())
        wanted = wanted.boundedTo(screen->availableGeometry().size());
    if (wanted != size())
        resize(wanted);
    // Most of the new height goes to the plot: the table scrolls, a squeezed plot is unreadable.
    const int height = ui_->splitter->height();
    ui_->splitter->setSizes({height * 2 / 5, height - height * 2 / 5});
}

void RtDialog::announceValues_()
{
    valuePacer_->updated();
    QTableWidget* table = ui_->tableWidget_;
    QAbstractItemModel* model = table->model();
    const int last =
        std::min({pendingLastRow_, model->rowCount() - 1, int(pendingRaw_.size()) - 1});
    if (pendingFirstRow_ >= 0 && pendingFirstRow_ <= last) {
        {
            // Each cell change would have the view react on its own: the rows are announced
            // together below.
            const QSignalBlocker blocker(model);
            for (int row = pendingFirstRow_; row <= last; ++row) {
                QTableWidgetItem* item = table->item(row, 1);
                if (!item)
                    continue;
                const int raw = pendingRaw_.at(row);
                item->setText(QString::number(raw));
                const ChannelUnit& unit = units_.at(row);
                if (unit.hasUnit())
                    item->setToolTip(unit.format(raw));
            }
        }
        emit model->dataChanged(model->index(pendingFirstRow_, 1), model->index(last, 1));
    }
    pendingFirstRow_ = pendingLastRow_ = -1;
}

void RtDialog::dropPendingValues_()
{
    // New rows are shown in full by the view; their first values are announced at once.
    valuePacer_->reset();
    pendingRaw_.clear();
    pendingFirstRow_ = pendingLastRow_ = -1;
}

QString RtDialog::channelName_(const QString& label)
{
    // Device labels are padded with spaces to a fixed width.
    return label.trimmed();
}
