#pragma once

#include "paramcontroller.h"

#include <QMap>
#include <QWidget>

struct FrameRecord;
class SessionPipeline;
class ParamTableModel;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

// The Flight Ctrl's five parameter sets: read one or all, edit them in a table, save and load
// .mkparam files, compare, activate, reset to defaults with confirmation, and write with the
// guarded controller. Every request goes through the controller; the window sends nothing
// by itself.
class SettingsWindow : public QWidget
{
    Q_OBJECT
public:
    SettingsWindow(const QList<ParamLayout>& layouts, SessionPipeline* session,
                   QWidget* parent = nullptr);

    ParamController* controller() const { return controller_; }
    ParamTableModel* model() const { return model_; }

private:
    void build_();
    // Marks the window busy when the device is connected; else says so and returns false.
    bool startDevice_();
    // True when nothing edited is shown, or the user lets a read replace it.
    bool mayDropEdits_();
    void setBusy_(bool busy);
    void say_(const QString& text, bool error = false);
    int setNumber_() const;
    void showSet_(int number);
    void onFinished_(const ParamResult& result);
    void onLinkChanged_();

    void onRead_();
    void onReadAll_();
    void onActivate_();
    void onWrite_();
    void onReset_();
    void onOpenFile_();
    void onSaveFile_();
    void onCompare_();

    QList<ParamLayout> layouts_;
    SessionPipeline* session_ = nullptr;
    bool linkOpen_ = false;
    ParamController* controller_ = nullptr;
    ParamTableModel* model_ = nullptr;
    QMap<int, ParamSet> deviceSets_; // as last read, by set number
    int activeSet_ = 0;
    int unknownStateSet_ = 0; // a write the link cut off: offered a read-back on reconnect
    int resetting_ = 0;       // the set a reset in flight is for

    QComboBox* setBox_ = nullptr;
    QLabel* activeLabel_ = nullptr;
    QLabel* motorsLabel_ = nullptr;
    QLabel* messageLabel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTableView* table_ = nullptr;
    QList<QPushButton*> deviceButtons_;
};
