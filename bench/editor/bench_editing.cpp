// Editing commands on a 1 MB French document in a QTextEdit on the offscreen platform.
//   bench_editing [benchmark options]
// Each benchmark labels its row; bench/editor/table prints every benchmark of this file.

#include "editor/find_replace.h"

#include "french_document.h"

#include <QTextBlock>

namespace {

using bench::frenchDocument;
using bench::reportPeakMemory;

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
        if (replaced != bench::kParagraphs || document.isUndoAvailable() || document.characterCount() != characters) {
            state.SkipWithError("not every match replaced in one undo step");
            break;
        }
        state.ResumeTiming();
    }
    state.SetLabel("replace all, 10,000 matches, one undo step");
    reportPeakMemory(state, document.characterCount());
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
    reportPeakMemory(state, document.characterCount());
}
BENCHMARK(BM_BoldWholeDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) { return bench::runBenchmarks(argc, argv); }
