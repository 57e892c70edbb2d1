#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "consoletext.h"
#include "displaytick.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

void MainWindow::printConsole(ConsoleErrorSeverity severity, const QString& text)
{
    consoleLines_.push_back({ConsoleText::fromMarkup(text), severity != NoError, false});
    if (consoleBatchDepth_ == 0)
        flushConsole_();
}

void MainWindow::printConsoleLine_(const QString& text, bool red, bool frame)
{
    consoleLines_.push_back({ConsoleText::fromPlain(text), red, frame});
    consoleEchoes_ += frame;
    if (consoleBatchDepth_ == 0)
        flushConsole_();
}

void MainWindow::scheduleConsole_()
{
    if (consoleLines_.empty())
        return;
    // A line that is not a frame echo is shown at once, with every line queued before it.
    if (qsizetype(consoleLines_.size()) > consoleEchoes_) {
        flushConsole_();
        return;
    }
    if (!consoleScheduled_)
        consoleEchoPacer_->request();
}

void MainWindow::flushConsole_()
{
    consoleScheduled_ = false;
    if (consoleEchoes_ > 0)
        consoleEchoPacer_->updated();
    // Too many frame echoes waiting: the oldest are skipped and counted as not shown. Other
    // lines (events, errors) always reach the console.
    if (consoleEchoes_ > kMaxConsoleBacklog) {
        qsizetype skip = consoleEchoes_ - kMaxConsoleBacklog;
        std::deque<ConsoleText::Line> kept;
        for (ConsoleText::Line& line : consoleLines_) {
            if (skip > 0 && line.frame) {
                --skip;
                --consoleEchoes_;
                ++consoleNotShown_;
            } else {
                kept.push_back(std::move(line));
            }
        }
        consoleLines_.swap(kept);
        showNotShown_();
    }

    // Each line costs a layout pass: a bounded share of this turn, the rest on the next.
    constexpr size_t kChunk = 64;
    QElapsedTimer clock;
    clock.start();
    while (!consoleLines_.empty()) {
        const size_t n = std::min(kChunk, consoleLines_.size());
        QList<ConsoleText::Line> chunk;
        chunk.reserve(qsizetype(n));
        for (size_t i = 0; i < n; ++i) {
            consoleEchoes_ -= consoleLines_.front().frame;
            chunk.append(std::move(consoleLines_.front()));
            consoleLines_.pop_front();
        }
        ConsoleText::append(ui_->consoleTextEdit_, chunk);
        if (clock.elapsed() >= kConsoleBudgetMs)
            break;
    }
    if (!consoleLines_.empty() && !consoleScheduled_) {
        consoleScheduled_ = true;
        QTimer::singleShot(0, this, &MainWindow::flushConsole_);
    }
}

void MainWindow::printConsoleNoError(const QString& text)
{
    printConsole(NoError, text);
}

void MainWindow::printConsoleWarning(const QString& text)
{
    printConsole(Warning, text);
}

void MainWindow::printConsoleError(const QString& text)
{
    printConsole(Error, text);
}

void MainWindow::clearConsole()
{
    consoleLines_.clear();
    consoleEchoes_ = 0;
    consoleEchoPacer_->reset();
    ui_->consoleTextEdit_->clear();
}

void MainWindow::onShowTerminal_(bool on)
{
    ui_->consoleTextEdit_->setVisible(on);
}
