// Cost of decoding a selected frame into the tree's texts, and of loading the shipped mk.js
// (engine start, evaluation, reading the definitions) at start-up.
#include "fielddecoder.h"
#include "scriptloader.h"

#include <QCoreApplication>
#include <QFile>
#include <QJSEngine>

#include <benchmark/benchmark.h>

namespace {

QString shippedScript()
{
    QFile file(QStringLiteral(TOVRIK_SOURCE_DIR "/mk.js"));
    return file.open(QIODevice::ReadOnly) ? ScriptLoader::readScriptText(file) : QString();
}

QList<FrameModel> loadModels(const QString& text)
{
    QJSEngine engine;
    const ScriptLoader::Evaluation result =
        ScriptLoader::evaluate(engine, text, QStringLiteral("mk.js"));
    QList<FrameModel> models;
    for (const QString& name : ScriptLoader::indexNames(result.value)) {
        FrameModel model;
        if (ScriptLoader::definition(engine.globalObject(), name, model))
            models << model;
    }
    return models;
}

// Argument: the frame letter, as its code ('D' 33 fields of 66 bytes, 'N' 18 arrays of 77,
// 'V' 6 fields of 10).
void BM_decodeFields(benchmark::State& state)
{
    const QList<FrameModel> models = loadModels(shippedScript());
    const char cmd = char(state.range(0));
    QByteArray payload(84, '\0');
    for (int i = 0; i < payload.size(); ++i)
        payload[i] = char((i * 37 + 5) & 0xFF);
    for (auto _ : state) {
        const QStringList texts = FieldDecoder::decode(models, cmd, payload);
        benchmark::DoNotOptimize(texts.constData());
    }
}
BENCHMARK(BM_decodeFields)->Arg('D')->Arg('N')->Arg('V');

void BM_loadShippedScript(benchmark::State& state)
{
    const QString text = shippedScript();
    for (auto _ : state) {
        const QList<FrameModel> models = loadModels(text);
        benchmark::DoNotOptimize(models.constData());
    }
}
BENCHMARK(BM_loadShippedScript)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
