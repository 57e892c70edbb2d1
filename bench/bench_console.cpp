#include "consoletext.h"
#include "oldconsole.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <benchmark/benchmark.h>

// Cost of a console line with N lines already printed (N = 1 000 and the 50 000-line cap), the
// console shown (offscreen) and repainted after each batch: the plain-text console appending a
// batch of lines in one edit, beside the rich-text console it replaced (one HTML insertion per
// line) and, at 1 000 lines, the original re-render of the whole document per line. At the cap,
// also beside the same appends leaving the removal of the oldest lines to the document's cap.

namespace {

const QString kLine = QStringLiteral("#bD=D====@=A=>=?==>=E=G=J=I=F====>=============Tf");

template <typename Edit> void setUp(Edit& edit)
{
    edit.setFont(QFont(QStringLiteral("Courier"), 10));
    edit.setLineWrapMode(Edit::NoWrap);
    edit.setReadOnly(true);
    edit.resize(480, 160);
    edit.show();
    QCoreApplication::processEvents();
}

// Lines per second at the device's full rate delivered in one batch: batches of 1 and of 10.
void BM_PlainConsole(benchmark::State& state)
{
    const int batch = int(state.range(1));
    QPlainTextEdit edit;
    setUp(edit);
    ConsoleText::setUp(&edit);
    QList<ConsoleText::Line> fill;
    for (int i = 0; i < state.range(0); ++i)
        fill.append({kLine, i % 10 == 0});
    ConsoleText::append(&edit, fill);
    QCoreApplication::processEvents();
    QList<ConsoleText::Line> lines;
    for (int i = 0; i < batch; ++i)
        lines.append({kLine, i % 10 == 0});
    for (auto _ : state) {
        ConsoleText::append(&edit, lines);
        QCoreApplication::processEvents();
    }
    state.counters["lines"] = edit.document()->blockCount();
    state.counters["us_per_line"] =
        benchmark::Counter(double(state.iterations()) * batch,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The appends as they were before the console removed its oldest lines itself.
void BM_DocumentCapBaseline(benchmark::State& state)
{
    const int batch = int(state.range(1));
    QPlainTextEdit edit;
    setUp(edit);
    ConsoleText::setUp(&edit);
    QTextCharFormat plain;
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    const auto append = [&](int count) {
        QTextCursor cursor(edit.document());
        cursor.beginEditBlock();
        cursor.movePosition(QTextCursor::End);
        for (int i = 0; i < count; ++i) {
            cursor.insertBlock(QTextBlockFormat(), plain);
            cursor.insertText(kLine, i % 10 == 0 ? red : plain);
        }
        cursor.endEditBlock();
    };
    append(int(state.range(0)));
    QCoreApplication::processEvents();
    for (auto _ : state) {
        append(batch);
        QCoreApplication::processEvents();
    }
    state.counters["lines"] = edit.document()->blockCount();
    state.counters["us_per_line"] =
        benchmark::Counter(double(state.iterations()) * batch,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_HtmlConsoleBaseline(benchmark::State& state)
{
    QTextEdit edit;
    setUp(edit);
    edit.document()->setUndoRedoEnabled(false);
    for (int i = 0; i < state.range(0); ++i)
        OldConsole::append(edit, kLine, i % 10 == 0);
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : state) {
        OldConsole::append(edit, kLine, ++i % 10 == 0);
        QCoreApplication::processEvents();
    }
    state.counters["lines"] = edit.document()->blockCount();
}

const char kParagraph[] = "<p style=\" margin-top:1px; margin-bottom:0px; margin-left:0px; "
                          "margin-right:0px; -qt-block-indent:0; text-indent:0px;\"><span >";

void BM_ConsoleRerenderBaseline(benchmark::State& state)
{
    QTextEdit edit;
    setUp(edit);
    QString html;
    for (int i = 0; i < state.range(0); ++i)
        html += QLatin1String(kParagraph) + kLine + QStringLiteral("</span></p>");
    edit.document()->setHtml(html);
    for (auto _ : state) {
        QString all = edit.document()->toHtml();
        all += QLatin1String(kParagraph) + kLine + QStringLiteral("</span></p>");
        edit.document()->setHtml(all);
        QCoreApplication::processEvents();
    }
    state.counters["lines"] = edit.document()->blockCount();
}

} // namespace

BENCHMARK(BM_PlainConsole)
    ->Args({1000, 1})
    ->Args({1000, 10})
    ->Args({50000, 1})
    ->Args({50000, 10})
    ->Args({50000, 25})
    ->ArgNames({"lines", "batch"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DocumentCapBaseline)
    ->Args({50000, 25})
    ->ArgNames({"lines", "batch"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HtmlConsoleBaseline)->Arg(1000)->Arg(50000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConsoleRerenderBaseline)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
