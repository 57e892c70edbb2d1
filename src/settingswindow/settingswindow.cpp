#include "settingswindow.h"

#include "conversation.h"
#include "paramfile.h"
#include "paramtablemodel.h"
#include "sessionpipeline.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

SettingsWindow::SettingsWindow(const QList<ParamLayout>& layouts, SessionPipeline* session,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), layouts_(layouts), session_(session),
      linkOpen_(session->isOpen())
{
    setWindowTitle(tr("Parameter sets"));
    setObjectName(QStringLiteral("settingsWindow_"));
    controller_ = new ParamController(
        layouts_,
        [session](const Request& r, QObject* c, std::function<void(const Reply&)> d) {
            session->conversation()->ask(r, c, std::move(d));
        },
        this);
    controller_->setResetPermit([session] { session->allowReset(); });
    // The newest navigation status tells whether the motors run.
    connect(session, &SessionPipeline::frameProcessed, controller_,
            [this](const FrameRecord& record, const QByteArray& payload, int address) {
                if (record.good)
                    controller_->noteFrame(record.cmd, address, payload);
            });
    connect(session, &SessionPipeline::linkChanged, this, &SettingsWindow::onLinkChanged_);
    connect(controller_, &ParamController::motorsChanged, this,
            [this](bool running) { motorsLabel_->setVisible(running); });
    model_ = new ParamTableModel(this);
    build_();
    connect(controller_, &ParamController::progress, this, [this](const QString& t) { say_(t); });
    connect(controller_, &ParamController::finished, this, &SettingsWindow::onFinished_);
    connect(model_, &ParamTableModel::rejected, this,
            [this](const QString& why) { say_(why, true); });
    // An accepted edit clears the complaint about the one before.
    connect(model_, &ParamTableModel::dataChanged, this, [this] { say_(QString()); });
    if (layouts_.isEmpty())
        say_(tr("mk.js describes no parameter set revision: sets can be read only as bytes"), true);
}

void SettingsWindow::build_()
{
    auto* layout = new QVBoxLayout(this);
    auto* deviceRow = new QHBoxLayout;
    setBox_ = new QComboBox(this);
    setBox_->setObjectName(QStringLiteral("setBox_"));
    for (int n = 1; n <= 5; ++n)
        setBox_->addItem(tr("Set %1").arg(n), n);
    deviceRow->addWidget(setBox_);
    const auto button = [this](QBoxLayout* row, const QString& text, const QString& name,
                               void (SettingsWindow::*slot)(), bool device) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        row->addWidget(b);
        if (device)
            deviceButtons_ << b;
    };
    button(deviceRow, tr("Read"), QStringLiteral("readButton_"), &SettingsWindow::onRead_, true);
    button(deviceRow, tr("Read all"), QStringLiteral("readAllButton_"), &SettingsWindow::onReadAll_,
           true);
    button(deviceRow, tr("Write…"), QStringLiteral("writeButton_"), &SettingsWindow::onWrite_,
           true);
    button(deviceRow, tr("Activate"), QStringLiteral("activateButton_"),
           &SettingsWindow::onActivate_, true);
    button(deviceRow, tr("Reset to defaults…"), QStringLiteral("resetButton_"),
           &SettingsWindow::onReset_, true);
    deviceRow->addStretch(1);
    motorsLabel_ = new QLabel(tr("Motors running"), this);
    motorsLabel_->setObjectName(QStringLiteral("motorsLabel_"));
    motorsLabel_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    motorsLabel_->setToolTip(
        tr("The navigation status says the motors run: nothing is read or written"));
    motorsLabel_->hide();
    deviceRow->addWidget(motorsLabel_);
    activeLabel_ = new QLabel(tr("Active set: unknown"), this);
    deviceRow->addWidget(activeLabel_);
    layout->addLayout(deviceRow);

    auto* fileRow = new QHBoxLayout;
    button(fileRow, tr("Open file…"), QStringLiteral("openButton_"), &SettingsWindow::onOpenFile_,
           false);
    button(fileRow, tr("Save file…"), QStringLiteral("saveButton_"), &SettingsWindow::onSaveFile_,
           false);
    button(fileRow, tr("Compare…"), QStringLiteral("compareButton_"), &SettingsWindow::onCompare_,
           false);
    fileRow->addStretch(1);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 0);
    progress_->setMaximumWidth(120);
    progress_->hide();
    fileRow->addWidget(progress_);
    layout->addLayout(fileRow);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("settingsTable_"));
    table_->setModel(model_);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setColumnWidth(ParamTableModel::FieldColumn, 220);
    layout->addWidget(table_, 1);

    messageLabel_ = new QLabel(this);
    messageLabel_->setObjectName(QStringLiteral("settingsMessage_"));
    messageLabel_->setWordWrap(true);
    messageLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(messageLabel_);

    connect(setBox_, &QComboBox::activated, this, [this] {
        // With edits shown, the set chosen may be where they are to be written: they stay
        // unless the user drops them.
        if (model_->isEdited() &&
            QMessageBox::question(this, tr("Parameter sets"),
                                  tr("Show set %1 as read from the device and drop your edits? "
                                     "No keeps the edits; Write then writes them to set %1.")
                                      .arg(setNumber_())) != QMessageBox::Yes)
            return;
        showSet_(setNumber_());
    });
    resize(640, 600);
}

int SettingsWindow::setNumber_() const
{
    return setBox_->currentData().toInt();
}

void SettingsWindow::say_(const QString& text, bool error)
{
    messageLabel_->setStyleSheet(error ? QStringLiteral("color: #b00000") : QString());
    messageLabel_->setText(text);
}

bool SettingsWindow::startDevice_()
{
    if (!session_->isOpen()) {
        say_(tr("Connect to the Flight Ctrl first"), true);
        return false;
    }
    setBusy_(true);
    return true;
}

void SettingsWindow::setBusy_(bool busy)
{
    progress_->setVisible(busy);
    for (QPushButton* b : std::as_const(deviceButtons_))
        b->setEnabled(!busy);
}

void SettingsWindow::showSet_(int number)
{
    if (deviceSets_.contains(number))
        model_->setParamSet(deviceSets_.value(number));
}

void SettingsWindow::onLinkChanged_()
{
    const bool open = session_->isOpen();
    if (open == linkOpen_)
        return;
    linkOpen_ = open;
    if (!open) {
        controller_->linkClosed();
        return;
    }
    if (unknownStateSet_ > 0 &&
        QMessageBox::question(this, tr("Parameter sets"),
                              tr("The write of set %1 was cut off; its state is unknown. Read it "
                                 "back now?")
                                  .arg(unknownStateSet_)) == QMessageBox::Yes) {
        setBox_->setCurrentIndex(unknownStateSet_ - 1);
        onRead_();
    }
}

void SettingsWindow::onFinished_(const ParamResult& result)
{
    setBusy_(false);
    const int resetting = resetting_;
    resetting_ = 0;
    if (result.activeSet > 0) {
        activeSet_ = result.activeSet;
        activeLabel_->setText(tr("Active set: %1").arg(activeSet_));
    }
    for (const ParamSet& set : result.sets)
        deviceSets_.insert(set.setNumber(), set);
    unknownStateSet_ = result.stateUnknown ? setNumber_() : 0;
    if (!result.ok) {
        if (!result.rawAnswer.isEmpty())
            model_->setRaw(result.rawAnswer);
        say_(result.error, true);
        return;
    }
    if (!result.sets.isEmpty()) {
        const int shown = result.sets.size() == 1 ? result.sets.first().setNumber() : setNumber_();
        setBox_->setCurrentIndex(shown - 1);
        showSet_(shown);
    }
    if (!result.adjusted.isEmpty()) {
        model_->setAdjusted(result.adjustedFields);
        say_(tr("Written, but %1").arg(result.adjusted.join(QStringLiteral("; "))), true);
    } else if (!result.backupPath.isEmpty()) {
        say_(tr("Set %1 written and read back; the previous values are in %2")
                 .arg(setNumber_())
                 .arg(result.backupPath));
    } else if (resetting > 0) {
        say_(tr("Set %1 reset to the firmware's defaults").arg(resetting));
    } else if (result.sets.size() > 1) {
        say_(tr("Sets 1 to 5 read"));
    } else if (result.sets.size() == 1) {
        say_(tr("Set %1 read").arg(result.sets.first().setNumber()));
    } else {
        say_(tr("Set %1 is active").arg(activeSet_));
    }
}

bool SettingsWindow::mayDropEdits_()
{
    return !model_->isEdited() ||
           QMessageBox::question(this, tr("Parameter sets"),
                                 tr("Reading shows the device's values in place of your edits. "
                                    "Read anyway?")) == QMessageBox::Yes;
}

void SettingsWindow::onRead_()
{
    if (mayDropEdits_() && startDevice_() && !controller_->readSet(setNumber_()))
        setBusy_(false);
}

void SettingsWindow::onReadAll_()
{
    if (mayDropEdits_() && startDevice_() && !controller_->readAll())
        setBusy_(false);
}

void SettingsWindow::onActivate_()
{
    if (startDevice_() && !controller_->activate(setNumber_()))
        setBusy_(false);
}

void SettingsWindow::onWrite_()
{
    ParamSet set = model_->edited();
    if (!set.isValid()) {
        say_(tr("Read a set or open a file first: there is nothing to write"), true);
        return;
    }
    const int number = setNumber_();
    set.setSetNumber(number);
    if (QMessageBox::question(
            this, tr("Write parameter set"),
            tr("Write \"%1\" to set %2 of the Flight Ctrl? The set on the device is "
               "saved to a backup first.")
                .arg(set.name())
                .arg(number)) != QMessageBox::Yes)
        return;
    if (startDevice_() && !controller_->write(set))
        setBusy_(false);
}

void SettingsWindow::onReset_()
{
    const int number = setNumber_();
    QMessageBox box(
        QMessageBox::Warning, tr("Reset to defaults"),
        tr("Reset set %1 to the firmware's defaults? The values of set %1 are lost.").arg(number),
        QMessageBox::Cancel, this);
    QPushButton* keep =
        box.addButton(tr("Reset set %1, keep channels").arg(number), QMessageBox::DestructiveRole);
    QPushButton* all =
        box.addButton(tr("Reset set %1 entirely").arg(number), QMessageBox::DestructiveRole);
    box.exec();
    if (box.clickedButton() != keep && box.clickedButton() != all)
        return;
    resetting_ = number;
    if (startDevice_() && !controller_->resetToDefaults(number, box.clickedButton() == keep, true))
        setBusy_(false);
}

void SettingsWindow::onOpenFile_()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open parameter set"), QString(), tr("Parameter sets (*.mkparam);;All files (*)"));
    if (path.isEmpty())
        return;
    ParamFile file;
    QString error;
    if (!ParamFile::read(path, file, error)) {
        say_(error, true);
        return;
    }
    // The device's set of the chosen number gives the target layout; without one, the file's.
    ParamSet base = deviceSets_.value(setNumber_());
    if (!base.isValid()) {
        const ParamLayout* own = ParamLayout::find(layouts_, file.revision);
        if (!own) {
            say_(tr("%1: parameter set revision %2 is unknown to mk.js")
                     .arg(path)
                     .arg(file.revision),
                 true);
            return;
        }
        base = ParamSet(*own, setNumber_());
    }
    const ParamFile::Mapping m = file.mapOnto(base, layouts_);
    if (!m.ok()) {
        say_(tr("%1: %2").arg(path, m.errors.join(QStringLiteral("; "))), true);
        return;
    }
    if (!deviceSets_.contains(setNumber_()))
        model_->setParamSet(base);
    model_->setEdited(m.set);
    if (!m.exact()) {
        const QString lists = tr("Loaded by field name from revision %1 onto revision %2.\n"
                                 "Fields revision %2 lacks (dropped): %3\n"
                                 "Fields the file lacks (kept as they were): %4")
                                  .arg(file.revision)
                                  .arg(m.set.revision())
                                  .arg(m.targetLacks.join(QStringLiteral(", ")))
                                  .arg(m.fileLacks.join(QStringLiteral(", ")));
        say_(lists, true);
        QMessageBox::information(this, tr("Open parameter set"), lists);
    } else {
        say_(tr("%1 loaded; nothing is written before you click Write").arg(path));
    }
}

void SettingsWindow::onSaveFile_()
{
    ParamSet set = model_->edited();
    if (!set.isValid()) {
        say_(tr("There is no set to save"), true);
        return;
    }
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save parameter set"), QStringLiteral("set%1.mkparam").arg(setNumber_()),
        tr("Parameter sets (*.mkparam)"));
    if (path.isEmpty())
        return;
    set.setSetNumber(setNumber_());
    QString error;
    if (ParamFile::write(path, set, error))
        say_(tr("Saved to %1").arg(path));
    else
        say_(error, true);
}

void SettingsWindow::onCompare_()
{
    const ParamSet shown = model_->edited();
    if (!shown.isValid()) {
        say_(tr("Read a set or open a file first"), true);
        return;
    }
    QStringList choices;
    for (int n : deviceSets_.keys())
        choices << tr("Device set %1").arg(n);
    choices << tr("A file…");
    bool ok = false;
    const QString choice = QInputDialog::getItem(
        this, tr("Compare"), tr("Compare the shown set with:"), choices, 0, false, &ok);
    if (!ok)
        return;
    QStringList order;
    QJsonObject other;
    QString title = choice;
    if (choice == choices.last()) {
        const QString path = QFileDialog::getOpenFileName(
            this, tr("Compare with"), QString(), tr("Parameter sets (*.mkparam);;All files (*)"));
        ParamFile file;
        QString error;
        if (path.isEmpty())
            return;
        if (!ParamFile::read(path, file, error)) {
            say_(error, true);
            return;
        }
        const ParamLayout* own = ParamLayout::find(layouts_, file.revision);
        order = own ? fieldOrder(*own) : file.fields.keys();
        other = file.fields;
        title = path;
    } else {
        const ParamSet set = deviceSets_.value(deviceSets_.keys().value(choices.indexOf(choice)));
        order = fieldOrder(set.layout());
        other = set.values();
    }
    const QList<ParamDifference> diff =
        compareParams(fieldOrder(shown.layout()), shown.values(), order, other);

    QDialog dialog(this);
    dialog.setWindowTitle(tr("Differences"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(diff.isEmpty()
                                     ? tr("No field differs.")
                                     : tr("%n field(s) differ.", nullptr, int(diff.size())),
                                 &dialog));
    auto* table = new QTableWidget(int(diff.size()), 3, &dialog);
    table->setHorizontalHeaderLabels({tr("Field"), tr("Shown set"), title});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < diff.size(); ++r) {
        table->setItem(r, 0, new QTableWidgetItem(diff.at(r).field));
        table->setItem(r, 1, new QTableWidgetItem(diff.at(r).left));
        table->setItem(r, 2, new QTableWidgetItem(diff.at(r).right));
    }
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(560, 420);
    dialog.exec();
}
