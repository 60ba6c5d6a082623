#pragma once
// The editor benchmarks' input: a shown editor holding about 1 MB of French prose in 10,000
// paragraphs, each with one bold phrase and one "ombre" (found nowhere else), and the peak
// memory counters every row reports.

#include <QApplication>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>

namespace bench {

constexpr qsizetype kDocumentSize = 1024 * 1024;
constexpr int kParagraphs = 10000;

inline std::unique_ptr<QTextEdit> frenchDocument()
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
    const qsizetype paragraphChars = kDocumentSize / kParagraphs - 1; // and its paragraph break
    for (int n = 0; n < kParagraphs; ++n) {
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

inline void reportPeakMemory(benchmark::State &state, qsizetype inputCharacters)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_mb"] = double(usage.ru_maxrss) / 1024.0;
    state.counters["input_mb"] = double(inputCharacters) / (1024.0 * 1024.0);
}

// Every benchmark file of this folder runs on the offscreen platform.
inline int runBenchmarks(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
