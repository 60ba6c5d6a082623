// The underlines drawn as the user types, on the 1 MB French document of the editor benchmarks,
// over a finder that costs next to nothing: the rows time the underliner's own work.
//   bench_underliner [benchmark options]
// Each benchmark labels its row; bench/spelling/table prints them.

#include "integrations/spelling/spell_underliner.h"

#include "french_document.h"

#include <QTextBlock>
#include <QTimer>

#include <memory>

namespace {

using bench::frenchDocument;
using bench::reportPeakMemory;

// Every "ombre" is wrong: one per paragraph of the document.
class OmbreFinder : public ombre::MisspellingFinder {
public:
    QList<ombre::WordSpan> misspellings(QStringView paragraph) override
    {
        ++asked;
        QList<ombre::WordSpan> found;
        for (qsizetype at = paragraph.indexOf(u"ombre"); at >= 0; at = paragraph.indexOf(u"ombre", at + 1))
            found.append({at, 5});
        return found;
    }
    int asked = 0;
};

// The caret in the tenth paragraph, in view.
void placeCaret(QTextEdit &edit)
{
    QTextCursor caret(edit.document()->findBlockByNumber(10));
    caret.movePosition(QTextCursor::EndOfWord);
    edit.setTextCursor(caret);
}

// One character typed at the caret, as the editor inserts it.
void typeOneCharacter(QTextEdit &edit)
{
    QTextCursor caret = edit.textCursor();
    caret.insertText(QStringLiteral("e"));
    edit.setTextCursor(caret);
}

// Runs the underliner's pending pass now rather than after the typing pause, and waits for it.
void runPass(ombre::SpellUnderliner &underliner, const OmbreFinder &finder)
{
    QTimer &pause = *underliner.findChild<QTimer *>();
    const int interval = pause.interval();
    const int before = finder.asked;
    pause.start(0);
    while (finder.asked == before)
        QApplication::processEvents();
    pause.setInterval(interval);
}

void BM_Keystroke(benchmark::State &state)
{
    const bool underlined = state.range(0) != 0;
    const auto edit = frenchDocument();
    placeCaret(*edit);
    OmbreFinder finder;
    std::unique_ptr<ombre::SpellUnderliner> underliner;
    if (underlined) {
        underliner = std::make_unique<ombre::SpellUnderliner>(*edit, finder);
        runPass(*underliner, finder);
    }
    for ([[maybe_unused]] auto _ : state)
        typeOneCharacter(*edit);
    if (underlined && edit->extraSelections().isEmpty())
        state.SkipWithError("nothing underlined");
    state.SetLabel(underlined ? "one keystroke, underliner attached (fast fake finder)"
                              : "one keystroke, no underliner (Qt's relayout of the text below the caret)");
    reportPeakMemory(state, edit->document()->characterCount());
}
BENCHMARK(BM_Keystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The pass that follows a keystroke: the edited paragraph asked again, the visible ones read from
// what they keep, and the underlines rebuilt; with every result forgotten, the visible paragraphs
// are all asked.
void BM_PassAfterChange(benchmark::State &state)
{
    const bool forgetAll = state.range(0) != 0;
    const auto edit = frenchDocument();
    placeCaret(*edit);
    OmbreFinder finder;
    ombre::SpellUnderliner underliner(*edit, finder);
    runPass(underliner, finder);
    const int visible = finder.asked;
    for ([[maybe_unused]] auto _ : state) {
        state.PauseTiming();
        if (forgetAll)
            underliner.recheckAll();
        else
            typeOneCharacter(*edit);
        QApplication::processEvents(); // the editor's own repaint of the keystroke, not the pass
        const int before = finder.asked;
        state.ResumeTiming();
        runPass(underliner, finder);
        state.PauseTiming();
        if (finder.asked - before != (forgetAll ? visible : 1)) {
            state.SkipWithError("the pass did not ask what it should");
            break;
        }
        state.ResumeTiming();
    }
    state.SetLabel(forgetAll ? QStringLiteral("pass after recheckAll, %1 visible paragraphs asked (fast fake finder)")
                                   .arg(visible)
                                   .toStdString()
                             : "pass after one keystroke, 1 paragraph asked (fast fake finder)");
    reportPeakMemory(state, edit->document()->characterCount());
}
BENCHMARK(BM_PassAfterChange)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) { return bench::runBenchmarks(argc, argv); }
