#pragma once
// Watches what the process frees: while armed, every block given back to the allocator (by free,
// or left behind by realloc) is searched for the watched byte patterns. A test arms it around a
// command and then asks whether a secret went back to the allocator without being wiped. The
// executable that includes freed_memory_watch.cpp replaces free and realloc for the whole process.

#include <QByteArrayView>
#include <initializer_list>
#include <vector>

namespace ombre::test {

class FreedMemoryWatch {
public:
    // Views, not copies: a copy freed while the watch runs would be found.
    explicit FreedMemoryWatch(std::initializer_list<QByteArrayView> patterns);
    ~FreedMemoryWatch();
    FreedMemoryWatch(const FreedMemoryWatch &) = delete;
    FreedMemoryWatch &operator=(const FreedMemoryWatch &) = delete;

    // Freed blocks that held a pattern (by index of the pattern) since the watch began.
    std::vector<int> found() const;
};

} // namespace ombre::test
