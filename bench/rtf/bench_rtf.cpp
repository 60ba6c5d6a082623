// Reading and writing a 5 MB RTF letter and a 20 MB plain text.
//   bench_rtf [benchmark options]   runs the benchmarks; each reports the peak memory of its
//                                   process, so the table runs one benchmark per process
//   bench_rtf --generate DIR        writes the same inputs as DIR/sample.rtf and DIR/sample.txt
//                                   for other programs to convert

#include "rtf/plain_text.h"
#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstring>

namespace {

constexpr qsizetype kRtfSize = 5 * 1024 * 1024;
constexpr qsizetype kTextSize = 20 * 1024 * 1024;

// A long letter in the rich-edit dialect: formatting changes in every line, accents, bullets.
const QByteArray &sampleRtf()
{
    static const QByteArray rtf = [] {
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                         "{\\f1\\froman\\fcharset0 Times New Roman;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
                         "{\\colortbl ;\\red128\\green0\\blue0;\\red0\\green0\\blue255;}\r\n\\viewkind4\\uc1";
        for (int n = 0; out.size() < kRtfSize; ++n) {
            out += "\\pard\\qj\\fi720\\f0\\fs20 Paragraphe " + QByteArray::number(n)
                + " : ch\\'e8re Madame, je vous \\'e9cris au sujet de la \\b lettre\\b0  du \\i 3 mars\\i0 ."
                  " Le \\ul montant\\ulnone  est de 1\\~250 \\'80, \\cf1 \\'e0 r\\'e9gler\\cf0  avant "
                  "la fin du mois \\u8211? sans faute, \\strike ni retard\\strike0 .\\par\r\n";
            if (n % 10 == 0)
                out += "\\pard{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'B7}}"
                       "\\fi-200\\li200 \\f1\\fs24 premier point\\par\r\n{\\pntext\\f2\\'B7\\tab}"
                       "second point, \\cf2 en bleu\\cf0\\par\r\n";
        }
        return out + "}\r\n";
    }();
    return rtf;
}

const QByteArray &sampleText()
{
    static const QByteArray text = [] {
        QByteArray out;
        out.reserve(kTextSize + 200);
        for (int n = 0; out.size() < kTextSize; ++n)
            out += "Ligne " + QByteArray::number(n)
                + " : \xE0 l'\xE9t\xE9, les c\x9Curs des \xAB na\xEF" "fs \xBB s'\xE9veillent \x80 8h\r\n";
        return out;
    }();
    return text;
}

void reportPeakMemory(benchmark::State &state, qsizetype bytes)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_mb"] = double(usage.ru_maxrss) / 1024.0;
    state.counters["input_mb"] = double(bytes) / (1024.0 * 1024.0);
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_ReadRtf(benchmark::State &state)
{
    const QByteArray &rtf = sampleRtf();
    for (auto _ : state) {
        QTextDocument document;
        ombre::rtf::readRtf(rtf, document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    reportPeakMemory(state, rtf.size());
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteRtf(benchmark::State &state)
{
    QTextDocument document;
    ombre::rtf::readRtf(sampleRtf(), document);
    for (auto _ : state)
        benchmark::DoNotOptimize(ombre::rtf::writeRtf(document));
    reportPeakMemory(state, sampleRtf().size());
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DecodePlainText(benchmark::State &state)
{
    const QByteArray &bytes = sampleText();
    for (auto _ : state)
        benchmark::DoNotOptimize(ombre::decodePlainText(bytes));
    reportPeakMemory(state, bytes.size());
}
BENCHMARK(BM_DecodePlainText)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EncodePlainText(benchmark::State &state)
{
    ombre::PlainTextEncoding encoding;
    const QString text = ombre::decodePlainText(sampleText(), &encoding);
    for (auto _ : state)
        benchmark::DoNotOptimize(ombre::encodePlainText(text, encoding));
    reportPeakMemory(state, sampleText().size());
}
BENCHMARK(BM_EncodePlainText)->Unit(benchmark::kMillisecond)->UseRealTime();

// The editor's whole load of a plain text: bytes to text to document.
void BM_LoadPlainTextDocument(benchmark::State &state)
{
    for (auto _ : state) {
        QTextDocument document;
        document.setPlainText(ombre::decodePlainText(sampleText()));
        benchmark::DoNotOptimize(document.characterCount());
    }
    reportPeakMemory(state, sampleText().size());
}
BENCHMARK(BM_LoadPlainTextDocument)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--generate") == 0) {
        const QString dir = QString::fromLocal8Bit(argv[2]);
        return writeFile(dir + QStringLiteral("/sample.rtf"), sampleRtf()) && writeFile(dir + QStringLiteral("/sample.txt"), sampleText())
            ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
