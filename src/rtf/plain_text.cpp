#include "rtf/plain_text.h"

#include "rtf/code_page.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace ombre {
namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

bool hasUtf8Bom(const QByteArray &bytes)
{
    return bytes.startsWith(kUtf8Bom);
}

bool hasByteAbove127(const QByteArray &bytes)
{
    for (const char byte : bytes)
        if (static_cast<unsigned char>(byte) > 127)
            return true;
    return false;
}

PlainTextEncoding::LineEnd firstLineEnd(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n')
            return PlainTextEncoding::LineEnd::Lf;
        if (text[i] == u'\r')
            return i + 1 < text.size() && text[i + 1] == u'\n' ? PlainTextEncoding::LineEnd::CrLf
                                                               : PlainTextEncoding::LineEnd::Cr;
    }
    return PlainTextEncoding::LineEnd::CrLf;
}

bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
}

// Every line break (CR LF counting as one) becomes `lineEnd`.
QString withLineEnds(QStringView text, QStringView lineEnd)
{
    QString out;
    out.reserve(text.size() + text.size() / 32);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (!isLineBreak(c))
            continue;
        out += text.mid(runStart, i - runStart);
        out += lineEnd;
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        runStart = i + 1;
    }
    out += text.mid(runStart);
    return out;
}

QStringView lineEndText(PlainTextEncoding::LineEnd lineEnd)
{
    switch (lineEnd) {
    case PlainTextEncoding::LineEnd::Lf: return u"\n";
    case PlainTextEncoding::LineEnd::Cr: return u"\r";
    case PlainTextEncoding::LineEnd::CrLf: break;
    }
    return u"\r\n";
}

} // namespace

QString decodePlainText(const QByteArray &bytes, PlainTextEncoding *detected)
{
    PlainTextEncoding found;
    QString text;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const bool bom = hasUtf8Bom(bytes);
    if (bom || hasByteAbove127(bytes)) {
        text = utf8.decode(QByteArrayView(bytes).sliced(bom ? 3 : 0));
        if (!utf8.hasError()) {
            found.codec = PlainTextEncoding::Codec::Utf8;
            found.bom = bom;
        } else {
            text = decodeWindows1252(bytes);
        }
    } else {
        text = decodeWindows1252(bytes); // ASCII, the same in both
    }
    found.lineEnd = firstLineEnd(text);
    if (detected)
        *detected = found;
    return withLineEnds(text, u"\n");
}

QByteArray encodePlainText(const QString &text, const PlainTextEncoding &preferred,
                           PlainTextEncoding *used)
{
    PlainTextEncoding actual = preferred;
    const QString lines = withLineEnds(text, lineEndText(preferred.lineEnd));
    QByteArray bytes;
    if (preferred.codec == PlainTextEncoding::Codec::Windows1252) {
        actual.bom = false;
        if (std::optional<QByteArray> ansi = encodeWindows1252(lines)) {
            bytes = std::move(*ansi);
        } else {
            actual.codec = PlainTextEncoding::Codec::Utf8;
            actual.bom = true;
        }
    }
    if (actual.codec == PlainTextEncoding::Codec::Utf8) {
        QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
        bytes = utf8.encode(lines);
        if (actual.bom)
            bytes.prepend(kUtf8Bom);
    }
    if (used)
        *used = actual;
    return bytes;
}

} // namespace ombre
