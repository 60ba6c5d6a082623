#include "cli/container_io.h"

#include "armour/armour_error.h"
#include "armour/armour_stream.h"
#include "cipher/container.h" // kPieceSize
#include "cipher/secure_wipe.h"
#include "cli/cli_failure.h"
#include "cli/input_file.h"
#include "cli/messages.h"

#include <string>
#include <vector>

namespace ombre::cli {
namespace {

[[noreturn]] void armourFailure(const std::filesystem::path &path, ArmourError error, std::size_t line)
{
    const std::string where = "ligne " + std::to_string(line + 1) + " : ";
    throw CliFailure{ExitStatus::UnknownFormat, PathMessage(path, where + ArmourMessage(error))};
}

void readPlain(InputFile &file, const PieceHandler &handler)
{
    // The handler may leave deciphered bytes in the buffer.
    SecretBytes buffer(kPieceSize);
    while (const std::size_t got = file.read(buffer.bytes)) {
        if (!handler(std::span(buffer.bytes).first(got)))
            return;
    }
}

void readArmoured(const std::filesystem::path &path, InputFile &file, bool xxe,
                  const PieceHandler &handler)
{
    SecretBytes decoded;
    decoded.bytes.reserve(kPieceSize);
    ArmourDecoder decoder(
        xxe, [&](std::span<const std::uint8_t> bytes) {
            decoded.bytes.insert(decoded.bytes.end(), bytes.begin(), bytes.end());
        },
        file.size());
    // Hands out what the decoder produced; false once the handler wants no more.
    const auto handOut = [&] {
        const bool more = decoded.bytes.empty() || handler(decoded.bytes);
        decoded.bytes.clear();
        return more;
    };

    std::vector<std::uint8_t> text(kPieceSize);
    while (const std::size_t got = file.read(text)) {
        const ArmourError error =
            decoder.Feed(std::string_view(reinterpret_cast<const char *>(text.data()), got));
        if (!handOut())
            return;
        if (error != ArmourError::None)
            armourFailure(path, error, decoder.ErrorLine());
        if (decoder.Done())
            break;
    }
    const ArmourError error = decoder.Finish();
    if (!handOut())
        return;
    if (error != ArmourError::None)
        armourFailure(path, error, decoder.ErrorLine());
}

} // namespace

void ReadContainer(InputFile &file, const PieceHandler &handler)
{
    const ArmourKind armour = ArmourKindNamedBy(file.path().string()).value_or(ArmourKind::Cod);
    if (armour == ArmourKind::Cod)
        readPlain(file, handler);
    else
        readArmoured(file.path(), file, armour == ArmourKind::Xxe, handler);
}

struct ContainerOutput::Encoder {
    ArmourEncoder armour;
};

ContainerOutput::ContainerOutput(AtomicFile &file, ArmourKind armour, std::string_view armourName,
                                 std::uint64_t containerSize)
    : m_file(file)
{
    if (armour != ArmourKind::Cod) {
        m_encoder.reset(new Encoder{ArmourEncoder(
            armour == ArmourKind::Xxe, true, armourName, containerSize,
            [this](std::string_view text) { m_file.write(text); })});
    }
}

ContainerOutput::~ContainerOutput() = default;

void ContainerOutput::write(std::span<const std::uint8_t> bytes)
{
    if (m_encoder)
        m_encoder->armour.Feed(bytes);
    else
        m_file.write(bytes);
}

void ContainerOutput::finish()
{
    if (m_encoder)
        m_encoder->armour.Finish();
}

} // namespace ombre::cli
