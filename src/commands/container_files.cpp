#include "commands/container_files.h"

#include "armour/armour_stream.h"
#include "commands/progress_positions.h"

#include <algorithm>

namespace ombre {

ByteSource memorySource(std::span<const std::uint8_t> bytes)
{
    return [bytes, offset = std::size_t{0}](std::span<std::uint8_t> into) mutable {
        const std::size_t n = std::min(into.size(), bytes.size() - offset);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), n, into.begin());
        offset += n;
        return n;
    };
}

// Unbuffered: the file may be plaintext, and a device buffer would keep copies that nobody wipes.
FileReader::FileReader(const QString &path) : file_(path)
{
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw CommandFailure("open for reading");
}

std::uint64_t FileReader::size() const
{
    return static_cast<std::uint64_t>(std::max<qint64>(file_.size(), 0));
}

std::size_t FileReader::read(std::span<std::uint8_t> into)
{
    std::size_t filled = 0;
    while (filled < into.size()) {
        const qint64 got = file_.read(reinterpret_cast<char *>(into.data() + filled),
                                      static_cast<qint64>(into.size() - filled));
        if (got < 0)
            throw CommandFailure("read");
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    return filled;
}

ByteSource FileReader::source()
{
    return [this](std::span<std::uint8_t> into) { return read(into); };
}

namespace {

// The platform's failures become the commands' one failure, which each command reports.
template <typename Action>
void reported(Action &&action)
{
    try {
        action();
    } catch (const std::filesystem::filesystem_error &error) {
        throw CommandFailure(error.what());
    }
}

} // namespace

AtomicFileWriter::AtomicFileWriter(const QString &path)
{
    reported([&] { file_.emplace(std::filesystem::path(path.toStdString()), true); });
}

void AtomicFileWriter::write(std::span<const std::uint8_t> bytes)
{
    reported([&] { file_->write(bytes); });
}

void AtomicFileWriter::write(std::string_view text)
{
    reported([&] { file_->write(text); });
}

void AtomicFileWriter::commit()
{
    reported([&] { file_->commit(); });
}

void saveBytes(const QString &path, std::span<const std::uint8_t> bytes)
{
    AtomicFileWriter file(path);
    file.write(bytes);
    file.commit();
}

void saveArmoured(const QString &path, bool xxe, std::string_view beginName, std::uint64_t size,
                  const ByteSource &read, TmProgressWnd &progress)
{
    AtomicFileWriter file(path);
    ArmourEncoder encoder(
        xxe, true, beginName, size, [&file](std::string_view text) { file.write(text); },
        armourProgressHandler(progress));
    std::vector<std::uint8_t> piece(kPieceSize);
    for (std::uint64_t done = 0; done < size;) {
        const std::size_t got = read(std::span(piece).first(std::min<std::uint64_t>(piece.size(), size - done)));
        if (got == 0)
            throw CommandFailure("container ended early");
        encoder.Feed(std::span(piece).first(got));
        done += got;
    }
    encoder.Finish();
    file.commit();
}

void readAll(const ByteSource &read, std::vector<std::uint8_t> &bytes, std::uint64_t expected)
{
    const std::size_t start = bytes.size();
    bytes.resize(start + expected);
    std::size_t filled = start + read(std::span(bytes).subspan(start));
    // A file that grew since it was measured is read to its end.
    std::vector<std::uint8_t> piece(kPieceSize);
    while (const std::size_t got = read(piece)) {
        bytes.insert(bytes.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(got));
        filled += got;
    }
    bytes.resize(filled);
}

void readArmouredFile(const QString &path, bool xxe, std::vector<std::uint8_t> &bytes, TmProgressWnd &progress)
{
    FileReader file(path);
    // Four characters carry at most three bytes: room for the whole container at once, so that
    // the buffer is never moved while it grows.
    bytes.reserve(bytes.size() + file.size() / 4 * 3 + 3);
    ArmourDecoder decoder(
        xxe, [&bytes](std::span<const std::uint8_t> decoded) { bytes.insert(bytes.end(), decoded.begin(), decoded.end()); },
        file.size(), armourProgressHandler(progress));
    std::vector<std::uint8_t> piece(kPieceSize);
    while (!decoder.Done()) {
        const std::size_t got = file.read(piece);
        if (got == 0)
            break;
        if (decoder.Feed(std::string_view(reinterpret_cast<const char *>(piece.data()), got)) != ArmourError::None)
            throw CommandFailure("armour");
    }
    if (decoder.Finish() != ArmourError::None)
        throw CommandFailure("armour");
}

} // namespace ombre
