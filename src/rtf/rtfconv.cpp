// rtfconv: runs the RTF reader and writer from the command line, for tests, benchmarks and
// checks against other word processors.
//   rtfconv --to-text F.rtf     the text, UTF-8, one line per paragraph
//   rtfconv --to-html F.rtf     the document as the reader built it, in HTML
//   rtfconv --from-html F.html  RTF of an HTML document
//   rtfconv --roundtrip F.rtf   read, then write again
// The output goes to standard output.

#include "rtf/plain_text.h"
#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>

namespace {

int usage()
{
    std::fputs("Usage : rtfconv --to-text|--to-html|--from-html|--roundtrip FICHIER\n", stderr);
    return 2;
}

bool writeOut(const QByteArray &bytes)
{
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout)
        == std::size_t(bytes.size()) && std::fflush(stdout) == 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // a document needs fonts, not a screen
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return usage();
    const QString mode = args[1];

    QFile file(args[2]);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rtfconv : lecture impossible de %s\n", qPrintable(args[2]));
        return 1;
    }
    const QByteArray input = file.readAll();
    QTextDocument document;
    QByteArray output;
    if (mode == u"--from-html") {
        document.setHtml(QString::fromUtf8(input));
        output = ombre::rtf::writeRtf(document);
    } else if (mode == u"--to-text" || mode == u"--to-html" || mode == u"--roundtrip") {
        ombre::rtf::readRtf(input, document);
        if (mode == u"--to-text")
            output = ombre::encodePlainText(document.toRawText() + u'\n',
                                            {ombre::PlainTextEncoding::Codec::Utf8, false,
                                             ombre::PlainTextEncoding::LineEnd::Lf});
        else if (mode == u"--to-html")
            output = document.toHtml().toUtf8();
        else
            output = ombre::rtf::writeRtf(document);
    } else {
        return usage();
    }
    return writeOut(output) ? 0 : 1;
}
