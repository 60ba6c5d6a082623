#pragma once
// Reading and writing the files of the encryption commands. Every writer goes through the
// platform's atomic file: a failure, or a killed process, leaves the target as it was and no
// partial file (the bytes are often plaintext). Failures are thrown as
// CommandFailure so that each command reports them in one place.

#include "cipher/container.h"
#include "platform/atomic_file.h"

#include <QFile>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace ombre {

class TmProgressWnd;

struct CommandFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Fills `into` from the start and returns how many bytes it holds (fewer only at the end).
using ByteSource = std::function<std::size_t(std::span<std::uint8_t> into)>;

// Reads a buffer in memory from its start.
ByteSource memorySource(std::span<const std::uint8_t> bytes);

// A file read in pieces.
class FileReader {
public:
    explicit FileReader(const QString &path);
    std::uint64_t size() const;
    std::size_t read(std::span<std::uint8_t> into);
    ByteSource source();

private:
    QFile file_;
};

// A file written to an unnamed temporary file beside it and put in place by commit(), replacing
// what was there (the dialogs asked first); dropped unless committed. Failures are CommandFailure.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const QString &path);
    void write(std::span<const std::uint8_t> bytes);
    void write(std::string_view text);
    void commit();

private:
    std::optional<AtomicFile> file_;
};

void saveBytes(const QString &path, std::span<const std::uint8_t> bytes);

// Armours `size` container bytes drawn from `read` into `path` (UUE, or XXE when `xxe`), one
// check character per line, the begin line naming `beginName`. The bar shows the codec's progress.
void saveArmoured(const QString &path, bool xxe, std::string_view beginName, std::uint64_t size,
                  const ByteSource &read, TmProgressWnd &progress);

// Everything `read` has left, appended to `bytes`; `expected` (how much that should be) sizes the
// buffer once.
void readAll(const ByteSource &read, std::vector<std::uint8_t> &bytes, std::uint64_t expected);

// The container bytes of an armoured file, appended to `bytes`; the bar shows the codec's
// progress. A line the codec refuses is a failure.
void readArmouredFile(const QString &path, bool xxe, std::vector<std::uint8_t> &bytes, TmProgressWnd &progress);

} // namespace ombre
