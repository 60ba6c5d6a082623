// The Hunspell engine on the French dictionary: a 50,000-word document checked from start to end
// as the checking dialog walks it (verify-buffer, then again from the end of each error), and the
// first suggestions for a misspelled word.
//   bench_spelling_engine [benchmark options]
// Each benchmark labels its row and counts its input words; bench/spelling/table prints them.

#include "integrations/spelling/hunspell_csapi.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <array>

namespace {

using ombre::csapi::Command;
using ombre::csapi::Error;
using ombre::csapi::Status;

const QString kFrenchDictionary = QStringLiteral("/usr/share/hunspell/fr_FR.dic");
constexpr int kDocumentWords = 50'000;
constexpr int kWordsBetweenErrors = 5'000;

// Words of the dictionary file itself, lower-case stems spread over the alphabet: a document
// with as many different words as a long real one, which the verdict cache cannot shortcut.
QStringList dictionaryWords()
{
    QFile file(kFrenchDictionary);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList words;
    for (int line = 0; !file.atEnd(); ++line) {
        const QString entry = QString::fromUtf8(file.readLine());
        const QString stem = entry.section(u'/', 0, 0).section(u' ', 0, 0).section(u'\t', 0, 0).trimmed();
        if (line % 3 == 0 && !stem.isEmpty() && std::all_of(stem.begin(), stem.end(), [](QChar c) { return c.isLower(); }))
            words << stem;
    }
    return words;
}

struct Document {
    QString text;
    int misspellings = 0;
};

// Prose with elisions, hyphenated words, numbers and punctuation, each sentence followed by eight
// words of the dictionary, and a misspelling every kWordsBetweenErrors words.
const Document &frenchDocument()
{
    static const Document document = [] {
        const std::array<QString, 8> sentences = {
            QStringLiteral("Aujourd'hui, à l'ombre des châtaigniers, les cœurs « naïfs » s'éveillent."),
            QStringLiteral("C'est-à-dire qu'il faudra, peut-être, attendre jusqu'à la fin de l'été."),
            QStringLiteral("Lorsqu'on arrive près du ruisseau où l'on pêche le matin, le jour passe."),
            QStringLiteral("Quelqu'un a laissé sur la presqu'île une lettre datée du 3 mars 2024."),
            QStringLiteral("Le prud'homme va-t-il répondre d'abord aux questions des habitants ?"),
            QStringLiteral("Les enfants courent dans les prés, tandis que les anciens se reposent."),
            QStringLiteral("Il pleuvait depuis trois jours ; la rivière débordait sur les chemins."),
            QStringLiteral("Nous reviendrons l’année prochaine, avec des amis et leurs familles."),
        };
        const std::array<QString, 3> misspellings = {
            QStringLiteral("fote"), QStringLiteral("ajourd'hui"), QStringLiteral("l'etang")};
        const QStringList vocabulary = dictionaryWords();
        constexpr int kWordsPerSentence = 8;
        Document out;
        int words = 0;
        for (int n = 0; words < kDocumentWords; ++n) {
            const QString &sentence = sentences[n % sentences.size()];
            const QStringList added = vocabulary.isEmpty() ? QStringList()
                                      : vocabulary.mid(qsizetype(n) * kWordsPerSentence % vocabulary.size(), kWordsPerSentence);
            out.text += sentence + u' ' + added.join(u' ') + (n % 5 == 4 ? u'\n' : u' ');
            const int before = words;
            words += int(sentence.split(u' ', Qt::SkipEmptyParts).size() + added.size());
            if (words / kWordsBetweenErrors > before / kWordsBetweenErrors) {
                out.text += misspellings[out.misspellings % misspellings.size()] + u' ';
                ++out.misspellings;
            }
        }
        return out;
    }();
    return document;
}

// A speller with the French dictionary open, as the checker opens it.
struct FrenchSpeller {
    FrenchSpeller()
    {
        if (engine.SpellInit(id, {}) != Error::None
            || engine.SpellOptions(id, ombre::csapi::SuggestFromUserDict | ombre::csapi::IgnoreAllCaps
                                           | ombre::csapi::IgnoreMixedDigits | ombre::csapi::IgnoreRomanNumerals)
                   != Error::None
            || engine.SpellOpenMdr(id, kFrenchDictionary, {}, false, true, 1036, mdr) != Error::None)
            id = 0;
    }

    // The errors of the whole text, each check resuming at the end of the last error.
    int walk(QStringView text)
    {
        int errors = 0;
        ombre::csapi::ReturnBuffer result;
        for (qsizetype from = 0;; ++errors) {
            engine.SpellCheck(id, Command::VerifyBuffer, {text.sliced(from), {mdr.mdr}, {}}, result);
            if (result.status == Status::NoErrors)
                return errors;
            from += result.errorOffset + result.errorLength;
        }
    }

    ombre::HunspellCsapi engine;
    ombre::csapi::SpellerId id = 0;
    ombre::csapi::MdrInfo mdr;
};

void reportRow(benchmark::State &state, const char *label, int words)
{
    // Peak memory of the whole process: the table runs each benchmark in its own.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.SetLabel(label);
    state.counters["peak_mb"] = double(usage.ru_maxrss) / 1024.0;
    state.counters["words"] = words;
}

// The first check of a document: no verdict remembered yet. Loading the dictionary is not timed.
void BM_VerifyDocumentFirstTime(benchmark::State &state)
{
    const Document &document = frenchDocument();
    int errors = 0;
    for ([[maybe_unused]] auto _ : state) {
        state.PauseTiming();
        auto speller = std::make_unique<FrenchSpeller>();
        state.ResumeTiming();
        errors = speller->walk(document.text);
        state.PauseTiming();
        speller.reset();
        state.ResumeTiming();
    }
    if (errors != document.misspellings)
        state.SkipWithError("the misspellings, and only they, should be found");
    reportRow(state, "verify-buffer start to end, first check", kDocumentWords);
}
BENCHMARK(BM_VerifyDocumentFirstTime)->Iterations(5)->Unit(benchmark::kMillisecond);

// The same document checked again by the same speller ("Re&prendre").
void BM_VerifyDocumentAgain(benchmark::State &state)
{
    const QString &text = frenchDocument().text;
    FrenchSpeller speller;
    speller.walk(text);
    for ([[maybe_unused]] auto _ : state)
        benchmark::DoNotOptimize(speller.walk(text));
    reportRow(state, "verify-buffer start to end, checked again", kDocumentWords);
}
BENCHMARK(BM_VerifyDocumentAgain)->Unit(benchmark::kMillisecond);

void BM_FirstSuggestions(benchmark::State &state)
{
    static const std::array<const char *, 3> words = {"fote", "l'etang", "ajourd'hui"};
    const QString word = QString::fromUtf8(words[state.range(0)]);
    FrenchSpeller speller;
    ombre::csapi::ReturnBuffer result;
    for ([[maybe_unused]] auto _ : state)
        speller.engine.SpellCheck(speller.id, Command::Suggest, {word, {}, {}}, result);
    if (result.suggestionCount == 0)
        state.SkipWithError("no suggestion");
    const QByteArray label = "first suggestions for \"" + word.toUtf8() + '"';
    reportRow(state, label.constData(), 1);
}
BENCHMARK(BM_FirstSuggestions)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
