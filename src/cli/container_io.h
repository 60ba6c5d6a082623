#pragma once
// The container bytes of a file on disk, with or without a text armour: read in pieces (the
// armour chosen by the file's extension) or written in pieces to an atomic file.

#include "cli/arguments.h"
#include "cli/input_file.h"
#include "platform/atomic_file.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

namespace ombre::cli {

// Gets each piece of container bytes; may change them in place (deciphering); returns false to
// stop reading.
using PieceHandler = std::function<bool(std::span<std::uint8_t> piece)>;

// Reads the container `file` from where it stands and hands out its bytes in pieces, removing the
// armour its name's extension says. Throws CliFailure: the file is unreadable (status 1), or its
// armour is damaged (status 2).
void ReadContainer(InputFile &file, const PieceHandler &handler);

// Writes container bytes to `file`, as they are (.cod) or in a text armour whose begin line
// names `armourName`; `containerSize` (the number of bytes that will come) paces the armour.
class ContainerOutput {
public:
    ContainerOutput(AtomicFile &file, ArmourKind armour, std::string_view armourName,
                    std::uint64_t containerSize);
    ~ContainerOutput();
    void write(std::span<const std::uint8_t> bytes);
    // Writes what the armour still holds and its end line; call before committing the file.
    void finish();

private:
    struct Encoder;
    AtomicFile &m_file;
    std::unique_ptr<Encoder> m_encoder;
};

} // namespace ombre::cli
