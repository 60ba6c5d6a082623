#include "platform/reg_file.h"

#include "cipher/ansi.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <set>

namespace ombre::reg {
namespace {

constexpr std::string_view Header5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view Header4 = "REGEDIT4";
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr char32_t Replacement = 0xFFFD;
// regedit starts a new line once a hex dump reaches this column.
constexpr std::size_t HexWrapColumn = 77;

std::string fold(std::string_view s)
{
    std::string folded(s);
    for (char &c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

bool isControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && fold(s.substr(0, prefix.size())) == prefix;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// 1 to 8 hex digits, nothing else.
bool parseHex32(std::string_view s, std::uint32_t &out)
{
    if (s.empty() || s.size() > 8)
        return false;
    std::uint32_t n = 0;
    for (char c : s) {
        const int d = hexDigit(c);
        if (d < 0)
            return false;
        n = (n << 4) | static_cast<std::uint32_t>(d);
    }
    out = n;
    return true;
}

// ---- UTF-8 and UTF-16 -------------------------------------------------------------------------

// Next code point of UTF-8 text; a malformed sequence yields U+FFFD and consumes one byte, so
// that a damaged string still reads and writes back.
char32_t nextUtf8(std::string_view s, std::size_t &pos)
{
    if (const std::optional<char32_t> c = NextUtf8CodePoint(s, pos))
        return *c;
    ++pos;
    return Replacement;
}

std::vector<std::uint8_t> utf16leWithTerminator(std::string_view utf8)
{
    std::vector<std::uint8_t> out;
    out.reserve(utf8.size() * 2 + 2);
    const auto unit = [&](char32_t u) {
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    };
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = nextUtf8(utf8, pos);
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(c);
        }
    }
    unit(0);
    return out;
}

// UTF-16LE bytes (even count) to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf8FromUtf16le(const std::uint8_t *data, std::size_t units)
{
    std::string out;
    out.reserve(units);
    const auto unitAt = [&](std::size_t i) { return static_cast<char32_t>(data[2 * i] | (data[2 * i + 1] << 8)); };
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t u = unitAt(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units && unitAt(i + 1) >= 0xDC00 && unitAt(i + 1) <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, Replacement);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

// A string the quoted form cannot carry intact: a line break would end the line, and other
// control characters (C0, DEL, C1, the Unicode line and paragraph separators) are invisible or
// taken as line ends by editors. regedit writes such data as hex(1).
bool needsHexForm(std::string_view utf8)
{
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = nextUtf8(utf8, pos);
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029)
            return true;
    }
    return false;
}

// ---- Reading ----------------------------------------------------------------------------------

// A quoted name or string starting at s[pos] == '"'; regedit escapes only \ and ".
bool readQuoted(std::string_view s, std::size_t &pos, std::string &out)
{
    ++pos;
    while (pos < s.size()) {
        const char c = s[pos++];
        if (c == '\\' && pos < s.size() && (s[pos] == '\\' || s[pos] == '"'))
            out += s[pos++];
        else if (c == '"')
            return true;
        else
            out += c;
    }
    return false;
}

// "aa,bb,..." with an optional trailing comma; an empty list is allowed.
bool parseHexBytes(std::string_view s, std::vector<std::uint8_t> &out)
{
    s = trim(s);
    if (s.empty())
        return true;
    if (s.back() == ',')
        s.remove_suffix(1);
    while (true) {
        const std::size_t comma = s.find(',');
        const std::string_view token = trim(s.substr(0, comma));
        std::uint32_t byte = 0;
        if (token.size() > 2 || !parseHex32(token, byte))
            return false;
        out.push_back(static_cast<std::uint8_t>(byte));
        if (comma == std::string_view::npos)
            return true;
        s.remove_prefix(comma + 1);
    }
}

class Parser {
public:
    explicit Parser(std::string_view text) { splitLines(text); }

    ParseResult run()
    {
        skipHeader();
        while (next_ < lines_.size()) {
            const std::string_view line = trim(lines_[next_++]);
            if (line.empty() || line.front() == ';')
                continue;
            if (line.front() == '[')
                keyLine(line);
            else if (line.front() == '"' || line.front() == '@')
                valueLine(line);
            else
                result_.damaged = true;
        }
        return std::move(result_);
    }

private:
    void splitLines(std::string_view text)
    {
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            if (end == std::string_view::npos) {
                // Every file of ours ends with a line break: a last line without one was cut
                // short while being written, and its value may be incomplete.
                if (!trim(text).empty())
                    result_.damaged = true;
                break;
            }
            std::string_view line = text.substr(0, end);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            lines_.push_back(line);
            text.remove_prefix(end + 1);
        }
    }

    void skipHeader()
    {
        while (next_ < lines_.size() && trim(lines_[next_]).empty())
            ++next_;
        if (next_ < lines_.size()) {
            const std::string_view first = trim(lines_[next_]);
            if (first == Header5 || first == Header4) {
                ++next_;
                return;
            }
        }
        result_.damaged = true; // no header (or an empty file): read what follows anyway
    }

    void keyLine(std::string_view line)
    {
        current_ = nullptr;
        const std::size_t close = line.rfind(']');
        if (close == std::string_view::npos) {
            result_.damaged = true;
            return;
        }
        if (close + 1 != line.size())
            result_.damaged = true;
        std::string_view path = line.substr(1, close - 1);
        const bool deletion = !path.empty() && path.front() == '-';
        if (deletion)
            path.remove_prefix(1);
        if (!isWritableKeyPath(path)) {
            result_.damaged = true;
            return;
        }
        if (deletion)
            result_.document.remove(path);
        else
            current_ = &result_.document.ensure(path);
    }

    void valueLine(std::string_view line)
    {
        std::size_t pos = 0;
        std::string name;
        if (line.front() == '@')
            pos = 1;
        else if (!readQuoted(line, pos, name))
            return fail();
        std::string_view rest = trim(line.substr(pos));
        if (rest.empty() || rest.front() != '=')
            return fail();
        rest = trim(rest.substr(1));
        if (rest.empty())
            return fail();

        if (startsWithNoCase(rest, "hex")) {
            std::string data;
            if (!gatherHex(rest, data))
                return fail();
            return hexValue(std::move(name), data);
        }
        if (!current_ || !isWritableValueName(name))
            return fail();
        if (rest == "-") {
            current_->remove(name);
        } else if (rest.front() == '"') {
            std::string text;
            pos = 0;
            if (!readQuoted(rest, pos, text) || !trim(rest.substr(pos)).empty())
                return fail();
            current_->set(Value::string(std::move(name), std::move(text)));
        } else if (startsWithNoCase(rest, "dword:")) {
            std::uint32_t n = 0;
            if (!parseHex32(rest.substr(6), n))
                return fail();
            current_->set(Value::number(std::move(name), n));
        } else {
            fail();
        }
    }

    // The hex data of a value, with the continuation lines ("...,\" then "  xx,...") joined.
    bool gatherHex(std::string_view rest, std::string &data)
    {
        data.assign(rest);
        while (!data.empty() && data.back() == '\\') {
            data.pop_back();
            if (next_ >= lines_.size())
                return false; // cut short after a continuation mark
            data += trim(lines_[next_++]);
        }
        return true;
    }

    // "hex:..." or "hex(N):..." (already joined).
    void hexValue(std::string name, std::string_view data)
    {
        std::uint32_t type = RegBinary;
        std::string_view rest = data.substr(3);
        if (!rest.empty() && rest.front() == '(') {
            const std::size_t close = rest.find(')');
            if (close == std::string_view::npos || !parseHex32(rest.substr(1, close - 1), type))
                return fail();
            rest.remove_prefix(close + 1);
        }
        if (rest.empty() || rest.front() != ':')
            return fail();
        std::vector<std::uint8_t> bytes;
        if (!current_ || !isWritableValueName(name) || !parseHexBytes(rest.substr(1), bytes))
            return fail();

        Value value;
        value.name = std::move(name);
        value.type = type;
        if (type == RegSz) {
            if (bytes.size() % 2 != 0)
                return fail();
            std::size_t units = bytes.size() / 2;
            if (units > 0 && bytes[2 * units - 2] == 0 && bytes[2 * units - 1] == 0)
                --units; // the terminating NUL
            value.text = utf8FromUtf16le(bytes.data(), units);
        } else if (type == RegDword) {
            if (bytes.size() != 4)
                return fail();
            value.dword = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8)
                          | (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
        } else {
            value.raw = std::move(bytes);
        }
        current_->set(std::move(value));
    }

    void fail() { result_.damaged = true; }

    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
    Key *current_ = nullptr;
    ParseResult result_;
};

// ---- Writing ----------------------------------------------------------------------------------

void appendQuoted(std::string &out, std::string_view s)
{
    out += '"';
    for (char c : s) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
}

void appendHex(std::string &out, std::uint32_t type, const std::vector<std::uint8_t> &bytes, std::size_t column)
{
    char buffer[16];
    if (type == RegBinary)
        out += "hex:";
    else
        out.append(buffer, static_cast<std::size_t>(std::snprintf(buffer, sizeof buffer, "hex(%x):", type)));
    column += type == RegBinary ? 4 : 7;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out.append(buffer, static_cast<std::size_t>(std::snprintf(buffer, sizeof buffer, "%02x", bytes[i])));
        if (i + 1 == bytes.size())
            break;
        out += ',';
        column += 3;
        if (column >= HexWrapColumn) {
            out += "\\\r\n  ";
            column = 2;
        }
    }
}

void appendValue(std::string &out, const Value &value)
{
    const std::size_t lineStart = out.size();
    if (value.name.empty())
        out += '@';
    else
        appendQuoted(out, value.name);
    out += '=';
    const std::size_t column = out.size() - lineStart;
    if (value.type == RegSz) {
        if (needsHexForm(value.text))
            appendHex(out, RegSz, utf16leWithTerminator(value.text), column);
        else
            appendQuoted(out, value.text);
    } else if (value.type == RegDword) {
        char buffer[16];
        out.append(buffer, static_cast<std::size_t>(std::snprintf(buffer, sizeof buffer, "dword:%08x", value.dword)));
    } else {
        appendHex(out, value.type, value.raw, column);
    }
    out += "\r\n";
}

} // namespace

Value Value::string(std::string name, std::string text)
{
    Value v;
    v.name = std::move(name);
    v.type = RegSz;
    v.text = std::move(text);
    return v;
}

Value Value::number(std::string name, std::uint32_t dword)
{
    Value v;
    v.name = std::move(name);
    v.type = RegDword;
    v.dword = dword;
    return v;
}

const Value *Key::find(std::string_view name) const
{
    const auto it = index_.find(fold(name));
    return it == index_.end() ? nullptr : &*it->second;
}

void Key::set(Value value)
{
    const std::string folded = fold(value.name);
    const auto it = index_.find(folded);
    if (it != index_.end()) {
        *it->second = std::move(value);
        return;
    }
    values_.push_back(std::move(value));
    index_.emplace(folded, std::prev(values_.end()));
}

bool Key::remove(std::string_view name)
{
    const auto it = index_.find(fold(name));
    if (it == index_.end())
        return false;
    values_.erase(it->second);
    index_.erase(it);
    return true;
}

const Key *Document::find(std::string_view path) const
{
    const auto it = keys_.find(fold(path));
    return it == keys_.end() ? nullptr : it->second.key.get();
}

Key *Document::find(std::string_view path)
{
    const auto it = keys_.find(fold(path));
    return it == keys_.end() ? nullptr : it->second.key.get();
}

bool Document::exists(std::string_view path) const
{
    const std::string folded = fold(path);
    if (keys_.count(folded))
        return true;
    const std::string prefix = folded + '\\';
    const auto it = keys_.lower_bound(prefix);
    return it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

Key &Document::ensure(std::string_view path)
{
    std::string folded = fold(path);
    const auto it = keys_.find(folded);
    if (it != keys_.end())
        return *it->second.key;
    Entry entry{nextOrder_++, std::make_unique<Key>(std::string(path))};
    Key &key = *entry.key;
    keys_.emplace(std::move(folded), std::move(entry));
    return key;
}

bool Document::remove(std::string_view path)
{
    const std::string folded = fold(path);
    bool removed = keys_.erase(folded) > 0;
    const std::string prefix = folded + '\\';
    auto it = keys_.lower_bound(prefix);
    while (it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0) {
        it = keys_.erase(it);
        removed = true;
    }
    return removed;
}

std::vector<const Key *> Document::keys() const
{
    std::vector<const Entry *> entries;
    entries.reserve(keys_.size());
    for (const auto &[folded, entry] : keys_)
        entries.push_back(&entry);
    std::sort(entries.begin(), entries.end(), [](const Entry *a, const Entry *b) { return a->order < b->order; });
    std::vector<const Key *> result;
    result.reserve(entries.size());
    for (const Entry *entry : entries)
        result.push_back(entry->key.get());
    return result;
}

std::vector<std::string> Document::subkeys(std::string_view path) const
{
    std::vector<std::string> names;
    std::set<std::string> seen;
    const std::string prefix = fold(path) + '\\';
    for (auto it = keys_.lower_bound(prefix); it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
        const std::size_t end = it->first.find('\\', prefix.size());
        const std::string folded = it->first.substr(prefix.size(), end - prefix.size());
        if (seen.insert(folded).second)
            names.push_back(it->second.key->path().substr(prefix.size(), folded.size()));
    }
    return names;
}

ParseResult parse(std::string_view bytes)
{
    // regedit itself writes UTF-16LE with a byte-order mark; accept that as well as UTF-8.
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
        bytes.remove_prefix(2);
        const std::string text =
            utf8FromUtf16le(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size() / 2);
        ParseResult result = Parser(text).run();
        result.damaged = result.damaged || bytes.size() % 2 != 0;
        return result;
    }
    if (bytes.substr(0, Utf8Bom.size()) == Utf8Bom)
        bytes.remove_prefix(Utf8Bom.size());
    return Parser(bytes).run();
}

std::string serialise(const Document &document)
{
    // The byte-order mark tells regedit that the file is UTF-8 rather than the ANSI code page.
    std::string out(Utf8Bom);
    out += Header5;
    out += "\r\n\r\n";
    for (const Key *key : document.keys()) {
        out += '[';
        out += key->path();
        out += "]\r\n";
        for (const Value &value : key->values())
            appendValue(out, value);
        out += "\r\n";
    }
    return out;
}

bool isWritableKeyPath(std::string_view path)
{
    if (path.empty() || path.front() == '\\' || path.back() == '\\' || path.find("\\\\") != std::string_view::npos)
        return false;
    return std::none_of(path.begin(), path.end(), [](char c) { return isControl(static_cast<unsigned char>(c)); });
}

bool isWritableValueName(std::string_view name)
{
    return std::none_of(name.begin(), name.end(), [](char c) { return isControl(static_cast<unsigned char>(c)); });
}

} // namespace ombre::reg
