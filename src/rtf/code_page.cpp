#include "rtf/code_page.h"

#include <QStringDecoder>

namespace ombre {
namespace {

// Every page starts from Windows-1252, whose undefined bytes keep their own value.
char16_t windows1252Unit(unsigned char byte)
{
    return char16_t(AnsiCodePoint(byte));
}

bool isMultiByte(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950
        || codePage == 1361;
}

// ICU knows the Windows pages under several spellings; the first that it accepts wins.
QStringDecoder icuDecoder(int codePage)
{
    const QString number = QString::number(codePage);
    for (const QString &name : {QStringLiteral("windows-") + number, QStringLiteral("cp") + number,
                                QStringLiteral("ibm-") + number}) {
        QStringDecoder decoder(name.toLatin1().constData(), QStringDecoder::Flag::Stateless);
        if (decoder.isValid())
            return decoder;
    }
    if (codePage == 10000)
        return QStringDecoder("macintosh", QStringDecoder::Flag::Stateless);
    return {};
}

} // namespace

struct CodePageDecoder::Icu
{
    QStringDecoder decoder;
};

CodePageDecoder::CodePageDecoder(int codePage) : m_codePage(codePage)
{
    for (int byte = 0; byte < 256; ++byte)
        m_table[byte] = windows1252Unit(static_cast<unsigned char>(byte));
    if (codePage == kWindows1252)
        return;

    QStringDecoder decoder = icuDecoder(codePage);
    if (!decoder.isValid()) {
        m_codePage = kWindows1252; // an unknown page reads as the Western one rather than not at all
        return;
    }
    if (isMultiByte(codePage)) {
        m_singleByte = false;
        m_icu = std::make_unique<Icu>(Icu{std::move(decoder)});
        return;
    }
    for (int byte = 0x80; byte < 256; ++byte) {
        const char raw = static_cast<char>(byte);
        const QString unit = decoder.decode(QByteArrayView(&raw, 1));
        // Undefined bytes keep their own value, as in Windows-1252.
        m_table[byte] = unit.size() == 1 && unit.at(0) != QChar::ReplacementCharacter
            ? unit.at(0).unicode() : char16_t(byte);
    }
    for (int byte = 0; byte < 0x80; ++byte)
        m_table[byte] = char16_t(byte);
}

CodePageDecoder::~CodePageDecoder() = default;

void CodePageDecoder::appendDecoded(QByteArrayView bytes, QString &out) const
{
    if (m_icu) {
        out += m_icu->decoder.decode(bytes);
        return;
    }
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    char16_t *dst = reinterpret_cast<char16_t *>(out.data()) + start;
    for (const char byte : bytes)
        *dst++ = m_table[static_cast<unsigned char>(byte)];
}

int codePageForCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0;
    }
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(text.data());
    for (const char byte : bytes)
        *dst++ = windows1252Unit(static_cast<unsigned char>(byte));
    return text;
}

} // namespace ombre
