#include "consoletext.h"

#include <QApplication>
#include <QTextEdit>

#include <benchmark/benchmark.h>

// Cost of one console line with N lines already printed: the constant-time appender, and beside
// it the re-render that exports and re-parses the whole document for each line, kept here only
// as the baseline it replaces.

namespace {

const QString kLine = QStringLiteral("#bD=D====@=A=>=?==>=E=G=J=I=F====>=============Tf");

void setUpConsole(QTextEdit& edit)
{
    edit.setFont(QFont(QStringLiteral("Courier"), 10));
    edit.setLineWrapMode(QTextEdit::NoWrap);
    edit.setReadOnly(true);
    edit.setAcceptRichText(false);
    edit.resize(480, 160);
}

void BM_ConsoleAppend(benchmark::State& state)
{
    QTextEdit edit;
    setUpConsole(edit);
    for (int i = 0; i < state.range(0); ++i)
        ConsoleText::append(edit.document(), kLine, i % 10 == 0);
    int i = 0;
    for (auto _ : state)
        ConsoleText::append(edit.document(), kLine, ++i % 10 == 0);
    state.counters["lines"] = edit.document()->blockCount();
}

const char kParagraph[] = "<p style=\" margin-top:1px; margin-bottom:0px; margin-left:0px; "
                          "margin-right:0px; -qt-block-indent:0; text-indent:0px;\"><span >";

void rerenderAppend(QTextEdit& edit, const QString& text, bool red)
{
    QString html = edit.document()->toHtml();
    html += QLatin1String(kParagraph);
    if (red)
        html += QStringLiteral("<font color=\"#ff0000\">");
    html += text;
    if (red)
        html += QStringLiteral("</font>");
    html += QStringLiteral("</span></p>");
    edit.document()->setHtml(html);
}

void BM_ConsoleRerenderBaseline(benchmark::State& state)
{
    QTextEdit edit;
    setUpConsole(edit);
    // Filled in one go; the per-line re-render is what is measured.
    QString html;
    for (int i = 0; i < state.range(0); ++i)
        html += QLatin1String(kParagraph) + kLine + QStringLiteral("</span></p>");
    edit.document()->setHtml(html);
    int i = 0;
    for (auto _ : state)
        rerenderAppend(edit, kLine, ++i % 10 == 0);
    state.counters["lines"] = edit.document()->blockCount();
}

} // namespace

BENCHMARK(BM_ConsoleAppend)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConsoleRerenderBaseline)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

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
