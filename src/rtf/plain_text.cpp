#include "rtf/plain_text.h"

#include "rtf/code_page.h"
#include "platform/qt_secret.h"

#include <QStringEncoder>

#include <algorithm>
#include <optional>

namespace ombre {
namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
}

// Makes every line break "\n" in place, and tells which one the text used first.
PlainTextEncoding::LineEnd unifyLineBreaks(QString &text)
{
    std::optional<PlainTextEncoding::LineEnd> first;
    char16_t *const begin = reinterpret_cast<char16_t *>(text.data());
    const char16_t *const end = begin + text.size();
    char16_t *out = begin;
    for (const char16_t *in = begin; in != end; ++in) {
        if (*in != u'\r') {
            if (*in == u'\n' && !first)
                first = PlainTextEncoding::LineEnd::Lf;
            *out++ = *in;
            continue;
        }
        const bool crlf = in + 1 != end && in[1] == u'\n';
        if (!first)
            first = crlf ? PlainTextEncoding::LineEnd::CrLf : PlainTextEncoding::LineEnd::Cr;
        if (crlf)
            ++in;
        *out++ = u'\n';
    }
    text.truncate(out - begin);
    return first.value_or(PlainTextEncoding::LineEnd::CrLf);
}

QByteArrayView lineEndBytes(PlainTextEncoding::LineEnd lineEnd)
{
    switch (lineEnd) {
    case PlainTextEncoding::LineEnd::Lf: return "\n";
    case PlainTextEncoding::LineEnd::Cr: return "\r";
    case PlainTextEncoding::LineEnd::CrLf: break;
    }
    return "\r\n";
}

// Windows-1252 bytes with the line ends written out; false as soon as a character does not fit.
bool encodeWindows1252(QStringView text, QByteArrayView lineEnd, QByteArray &bytes)
{
    bytes.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (isLineBreak(c)) {
            bytes.append(lineEnd);
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            continue;
        }
        const int byte = windows1252Byte(c);
        if (byte < 0)
            return false;
        bytes.append(char(byte));
    }
    return true;
}

// Written straight into one buffer: no per-line copies of the text are left behind.
QByteArray encodeUtf8(QStringView text, QByteArrayView lineEnd, bool bom)
{
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    const QByteArrayView mark = bom ? QByteArrayView(kUtf8Bom) : QByteArrayView();
    QByteArray bytes(mark.size() + utf8.requiredSpace(text.size()) + text.size() * lineEnd.size(),
                     Qt::Uninitialized);
    char *const begin = bytes.data();
    char *out = std::copy(mark.begin(), mark.end(), begin);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isLineBreak(text[i].unicode()))
            continue;
        out = utf8.appendToBuffer(out, text.sliced(runStart, i - runStart));
        if (i == text.size())
            break;
        out = std::copy(lineEnd.begin(), lineEnd.end(), out);
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        runStart = i + 1;
    }
    bytes.truncate(out - begin);
    return bytes;
}

} // namespace

QString decodePlainText(QByteArrayView view, PlainTextEncoding *detected)
{
    PlainTextEncoding found;
    QString text;
    // Pure ASCII is valid UTF-8 too, but reads as Windows-1252: the encoding of new documents.
    const bool bom = view.startsWith(kUtf8Bom);
    const bool ascii = !bom
        && std::all_of(view.begin(), view.end(), [](char c) { return (c & 0x80) == 0; });
    if (!ascii && view.isValidUtf8()) {
        found.codec = PlainTextEncoding::Codec::Utf8;
        found.bom = bom;
        text = QString::fromUtf8(view.sliced(bom ? 3 : 0));
    } else {
        text = decodeWindows1252(view);
    }
    found.lineEnd = unifyLineBreaks(text);
    if (detected)
        *detected = found;
    return text;
}

QByteArray encodePlainText(const QString &text, const PlainTextEncoding &preferred,
                           PlainTextEncoding *used)
{
    PlainTextEncoding actual = preferred;
    const QByteArrayView lineEnd = lineEndBytes(preferred.lineEnd);
    QByteArray bytes;
    if (preferred.codec == PlainTextEncoding::Codec::Windows1252) {
        actual.bom = false;
        if (!encodeWindows1252(text, lineEnd, bytes)) {
            wipe(bytes);
            actual.codec = PlainTextEncoding::Codec::Utf8;
            actual.bom = true;
        }
    }
    if (actual.codec == PlainTextEncoding::Codec::Utf8)
        bytes = encodeUtf8(text, lineEnd, actual.bom);
    if (used)
        *used = actual;
    return bytes;
}

} // namespace ombre
