// The document properties on a 1 MB French document: the word count alone, and the dialog's
// filling (made, not shown) with the whole text selected, so that every count runs twice.
//   bench_properties [benchmark options]
// Each benchmark labels its row; bench/editor/table prints every benchmark of this file.

#include "editor/properties/proprietes_dialog.h"
#include "editor/properties/word_count.h"
#include "settings/options.h"

#include "french_document.h"

#include <QLabel>

namespace {

using bench::frenchDocument;
using bench::reportPeakMemory;

// Each paragraph holds some fifteen words: a count this low means words were merged or lost.
constexpr qsizetype kFewestWords = 10 * bench::kParagraphs;

void countWords(benchmark::State &state, const QString &text)
{
    const QString symbols = ombre::TProgramOptions().Symboles;
    const qsizetype expected = ombre::CountWords(text, symbols);
    if (expected < kFewestWords) {
        state.SkipWithError("too few words counted");
        return;
    }
    for (auto _ : state) {
        if (ombre::CountWords(text, symbols) != expected) {
            state.SkipWithError("the count changed from one run to the next");
            break;
        }
    }
    reportPeakMemory(state, text.size());
}

void BM_CountWords(benchmark::State &state)
{
    const QString text = frenchDocument()->document()->toRawText();
    countWords(state, text);
    state.SetLabel("CountWords, composed accents");
}
BENCHMARK(BM_CountWords)->Unit(benchmark::kMillisecond)->UseRealTime();

// Text pasted from a system that writes accents as combining marks: composed before counting.
void BM_CountWordsDecomposed(benchmark::State &state)
{
    const QString composed = frenchDocument()->document()->toRawText();
    const QString text = composed.normalized(QString::NormalizationForm_D);
    const QString symbols = ombre::TProgramOptions().Symboles;
    if (ombre::CountWords(text, symbols) != ombre::CountWords(composed, symbols)) {
        state.SkipWithError("the combining marks counted apart from their letters");
        return;
    }
    countWords(state, text);
    state.SetLabel("CountWords, accents as combining marks");
}
BENCHMARK(BM_CountWordsDecomposed)->Unit(benchmark::kMillisecond)->UseRealTime();

void fillDialog(benchmark::State &state, bool plainText, const char *label)
{
    const auto edit = frenchDocument();
    edit->selectAll();
    const ombre::PropertiesSource source{QStringLiteral("lettre.rtf"), *edit, plainText, {}, {}};
    const QString symbols = ombre::TProgramOptions().Symboles;
    for (auto _ : state) {
        const ombre::TProprietes dialog(nullptr, source, symbols);
        if (dialog.MotTotal->text() != dialog.MotSelect->text()) {
            state.SkipWithError("the whole text and its selection counted apart");
            break;
        }
    }
    state.SetLabel(label);
    reportPeakMemory(state, edit->document()->characterCount());
}

void BM_PropertiesRich(benchmark::State &state) { fillDialog(state, false, "properties filled, rich text"); }
BENCHMARK(BM_PropertiesRich)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PropertiesPlain(benchmark::State &state) { fillDialog(state, true, "properties filled, plain text"); }
BENCHMARK(BM_PropertiesPlain)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) { return bench::runBenchmarks(argc, argv); }
