#pragma once
// The one place where text meets Windows code pages: the plain-text stream, the RTF reader (which
// meets \ansicpg and \fcharset) and the RTF writer all convert through here.

#include "cipher/ansi.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>
#include <memory>

namespace ombre {

inline constexpr int kWindows1252 = 1252;

// Decodes bytes of one Windows code page. Single-byte pages go through a 256-entry table (fast
// enough for files of tens of megabytes); multi-byte pages (932, 936, 949, 950, ...) through ICU.
// Bytes a page leaves undefined decode to the control character of the same value, so that no
// byte is ever lost on the way back.
class CodePageDecoder
{
public:
    explicit CodePageDecoder(int codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder &) = delete;
    CodePageDecoder &operator=(const CodePageDecoder &) = delete;

    int codePage() const { return m_codePage; }
    bool isSingleByte() const { return m_singleByte; }
    // Only for single-byte pages.
    char16_t decodeByte(unsigned char byte) const { return m_table[byte]; }
    void appendDecoded(QByteArrayView bytes, QString &out) const;

private:
    int m_codePage;
    bool m_singleByte = true;
    std::array<char16_t, 256> m_table{};
    struct Icu;
    std::unique_ptr<Icu> m_icu;
};

// The code page that an RTF \fcharset value stands for; 0 when it names none (symbol fonts, the
// default charset), in which case the document's \ansicpg applies.
int codePageForCharset(int charset);

// Windows-1252 byte of one UTF-16 unit, or -1 when the page cannot hold it: callers then choose
// another encoding rather than letting a character be replaced.
inline int windows1252Byte(char16_t unit)
{
    const auto byte = AnsiByte(unit);
    return byte ? *byte : -1;
}

QString decodeWindows1252(QByteArrayView bytes);

} // namespace ombre
