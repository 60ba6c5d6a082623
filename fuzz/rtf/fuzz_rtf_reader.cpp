// Any bytes given to the RTF reader: it must not crash, hang or read out of bounds, and what it
// read must survive the writer: writing and reading again gives the same text.

#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // documents need fonts, once for the whole run
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     qsizetype(size));
    QTextDocument document;
    ombre::rtf::readRtf(input, document);

    QTextDocument again;
    ombre::rtf::readRtf(ombre::rtf::writeRtf(document), again);
    if (again.toRawText() != document.toRawText()) {
        std::fprintf(stderr, "text changed by a write and a read\n");
        std::abort();
    }
    return 0;
}
