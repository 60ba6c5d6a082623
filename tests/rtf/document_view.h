#pragma once
// A document seen as paragraphs of formatted runs, for comparing two documents property by
// property and for naming what differs when a test fails.

#include "rtf/rtf_properties.h"

#include <QString>
#include <QList>

#include <iosfwd>

class QTextDocument;

namespace ombre::rtf::test {

struct Run
{
    QString text;
    CharacterProperties format;
    friend bool operator==(const Run &, const Run &) = default;
};

struct Paragraph
{
    ParagraphProperties format;
    QList<Run> runs; // adjacent runs of equal format are merged
    friend bool operator==(const Paragraph &, const Paragraph &) = default;
};

QList<Paragraph> viewOf(const QTextDocument &document);
QTextDocument *readDocument(const QByteArray &rtf, QObject *parent = nullptr);
QString textOf(const QByteArray &rtf); // paragraphs joined by "\n"
QByteArray fixture(const QString &name);

void PrintTo(const Paragraph &paragraph, std::ostream *os);

} // namespace ombre::rtf::test
