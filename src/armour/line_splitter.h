#pragma once
// Cuts text into lines as it arrives, in chunks of any size: a line ends at CR LF, at a lone CR
// or at a lone LF (a CR at the end of one chunk and an LF at the start of the next are one line
// end). Text after the last line end is a last line. A line is kept up to `keep` characters;
// the rest is passed over, so memory stays bounded whatever the input.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace ombre {

class LineSplitter {
public:
    explicit LineSplitter(std::size_t keep = std::string::npos) : keep_(keep) {}

    // Calls onLine(line, consumed) for each line completed by text, where consumed is the count
    // of text characters fed so far up to and including that line's end. onLine returns false
    // to stop; Feed then returns false and the splitter takes nothing more.
    template <class OnLine>
    bool Feed(std::string_view text, OnLine &&onLine)
    {
        std::size_t i = 0;
        if (stopped_)
            return false;
        if (afterCR_ && !text.empty()) {
            afterCR_ = false;
            if (text[0] == '\n')
                i = 1;
        }
        // The next CR and the next LF at or after i, each searched again only once passed, so
        // that text with one kind of line end is not searched to its end on every line.
        std::size_t nextCR = Find(text, '\r', i);
        std::size_t nextLF = Find(text, '\n', i);
        while (i < text.size()) {
            if (nextCR < i)
                nextCR = Find(text, '\r', i);
            if (nextLF < i)
                nextLF = Find(text, '\n', i);
            const std::size_t end = std::min(nextCR, nextLF);
            if (end == text.size()) {
                Keep(text.substr(i));
                break;
            }
            const bool cr = text[end] == '\r';
            std::size_t next = end + 1;
            if (cr && next < text.size() && text[next] == '\n')
                ++next;
            else if (cr && next == text.size())
                afterCR_ = true;
            std::string_view line = text.substr(i, end - i);
            if (partial_) {
                Keep(line);
                line = pending_;
            }
            const bool go = onLine(line.substr(0, std::min(line.size(), keep_)), fed_ + next);
            pending_.clear();
            partial_ = false;
            if (!go) {
                stopped_ = true;
                return false;
            }
            i = next;
        }
        fed_ += text.size();
        return true;
    }

    // Ends the text: the characters after the last line end, if any, are the last line.
    template <class OnLine>
    bool Finish(OnLine &&onLine)
    {
        if (stopped_ || !partial_)
            return !stopped_;
        std::string_view line = pending_;
        partial_ = false;
        const bool go = onLine(line, fed_);
        pending_.clear();
        stopped_ = !go;
        return go;
    }

private:
    // Position of c in text from `from` on, or text.size().
    static std::size_t Find(std::string_view text, char c, std::size_t from)
    {
        if (from >= text.size())
            return text.size();
        const void *found = std::memchr(text.data() + from, c, text.size() - from);
        return found ? static_cast<std::size_t>(static_cast<const char *>(found) - text.data()) : text.size();
    }

    void Keep(std::string_view part)
    {
        partial_ = true;
        if (pending_.size() < keep_)
            pending_.append(part.substr(0, std::min(part.size(), keep_ - pending_.size())));
    }

    std::size_t keep_;
    std::string pending_;   // the kept start of a line still open at the end of a chunk
    bool partial_ = false;  // a line is open: its start came in an earlier chunk
    bool afterCR_ = false;  // the last chunk ended with CR: an LF that starts the next is its pair
    bool stopped_ = false;
    std::size_t fed_ = 0;
};

} // namespace ombre
