#include "rtf/document_view.h"

#include "rtf/rtf_reader.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>

#include <ostream>

namespace ombre::rtf::test {

QList<Paragraph> viewOf(const QTextDocument &document)
{
    QList<Paragraph> paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        Paragraph paragraph{ParagraphProperties::of(block), {}};
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const Run run{it.fragment().text(),
                          CharacterProperties::of(it.fragment().charFormat(), document.defaultFont())};
            if (!paragraph.runs.isEmpty() && paragraph.runs.last().format == run.format)
                paragraph.runs.last().text += run.text;
            else
                paragraph.runs.append(run);
        }
        paragraphs.append(paragraph);
    }
    return paragraphs;
}

QTextDocument *readDocument(const QByteArray &rtf, QObject *parent)
{
    auto *document = new QTextDocument(parent);
    readRtf(rtf, *document);
    return document;
}

QString textOf(const QByteArray &rtf)
{
    QTextDocument document;
    readRtf(rtf, document);
    return document.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(OMBRE_TEST_DATA "/rtf/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void PrintTo(const Paragraph &paragraph, std::ostream *os)
{
    const ParagraphProperties &p = paragraph.format;
    *os << "{align " << int(p.alignment) << " li " << p.leftIndent << " ri " << p.rightIndent
        << " fi " << p.firstIndent << " sb " << p.spaceBefore << " sa " << p.spaceAfter
        << " tabs " << p.tabs.size() << " list " << int(p.list) << ":";
    for (const Run &run : paragraph.runs) {
        const CharacterProperties &c = run.format;
        *os << " [" << run.text.toStdString() << "|" << c.family.toStdString() << " "
            << c.halfPoints << (c.bold ? " b" : "") << (c.italic ? " i" : "")
            << (c.underline ? " ul" : "") << (c.strike ? " strike" : "") << " "
            << c.colour.name().toStdString() << " bg " << c.background.name().toStdString()
            << " va " << int(c.verticalAlignment) << "]";
    }
    *os << "}";
}

} // namespace ombre::rtf::test
