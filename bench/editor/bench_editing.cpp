// Editing commands on a 1 MB French document in a QTextEdit on the offscreen platform.
//   bench_editing [benchmark options]
// Each benchmark labels its row; bench/editor/table prints every benchmark of this file.

#include "editor/find_replace.h"

#include <QApplication>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>

namespace {

constexpr qsizetype kDocumentSize = 1024 * 1024;
constexpr int kMatches = 10000;

// A shown editor holding about 1 MB of French prose in kMatches paragraphs, each with one bold
// phrase and one "ombre" (the word the find benchmarks look for, found nowhere else).
std::unique_ptr<QTextEdit> frenchDocument()
{
    auto edit = std::make_unique<QTextEdit>();
    edit->resize(800, 600);
    QTextDocument &document = *edit->document();
    document.setUndoRedoEnabled(false); // building it is no step to undo
    QTextCursor cursor(&document);
    QTextCharFormat plain, bold;
    bold.setFontWeight(QFont::Bold);
    const QString opening = QStringLiteral(" : à l'ombre des châtaigniers, les cœurs « naïfs » s'éveillent ");
    const QString phrase = QStringLiteral("sous le vieux chêne");
    const QString closing = QStringLiteral(", près du ruisseau où l'on pêche le matin et le soir, puis le jour passe");
    const qsizetype paragraphChars = kDocumentSize / kMatches - 1; // and its paragraph break
    for (int n = 0; n < kMatches; ++n) {
        if (n > 0)
            cursor.insertBlock();
        const QString start = QStringLiteral("Paragraphe ") + QString::number(n) + opening;
        cursor.insertText(start, plain);
        cursor.insertText(phrase, bold);
        const qsizetype left = paragraphChars - start.size() - phrase.size() - 1;
        cursor.insertText(closing.left(left).leftJustified(left) + QLatin1Char('.'), plain);
    }
    document.setUndoRedoEnabled(true);
    edit->show();
    QApplication::processEvents();
    return edit;
}

void reportPeakMemory(benchmark::State &state, const QTextDocument &document)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_mb"] = double(usage.ru_maxrss) / 1024.0;
    state.counters["input_mb"] = double(document.characterCount()) / (1024.0 * 1024.0);
}

void BM_ReplaceAll(benchmark::State &state)
{
    const auto edit = frenchDocument();
    QTextDocument &document = *edit->document();
    const ombre::FindQuery query{QStringLiteral("ombre"), false, true, true};
    const QString replacement = QStringLiteral("lumière");
    const int characters = document.characterCount();
    for (auto _ : state) {
        const int replaced = ombre::TFindReplace::replaceAll(*edit, query, replacement);
        state.PauseTiming();
        // One undo takes the document back to where it was, with nothing left to undo.
        document.undo();
        if (replaced != kMatches || document.isUndoAvailable() || document.characterCount() != characters) {
            state.SkipWithError("not every match replaced in one undo step");
            break;
        }
        state.ResumeTiming();
    }
    state.SetLabel("replace all, 10,000 matches, one undo step");
    reportPeakMemory(state, document);
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond)->UseRealTime();

// Bold on the whole document, as the bold button applies it to a selection.
void BM_BoldWholeDocument(benchmark::State &state)
{
    const auto edit = frenchDocument();
    QTextDocument &document = *edit->document();
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (auto _ : state) {
        edit->selectAll();
        edit->mergeCurrentCharFormat(bold);
        QApplication::processEvents(); // the editor shows the result
        state.PauseTiming();
        const QTextBlock last = document.lastBlock();
        const bool allBold = QTextCursor(last).charFormat().fontWeight() == QFont::Bold
            && QTextCursor(document.firstBlock()).block().begin().fragment().charFormat().fontWeight() == QFont::Bold;
        document.undo();
        if (!allBold || document.isUndoAvailable()) {
            state.SkipWithError("bold not applied to everything in one undo step");
            break;
        }
        state.ResumeTiming();
    }
    state.SetLabel("bold on the whole document, one undo step");
    reportPeakMemory(state, document);
}
BENCHMARK(BM_BoldWholeDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
