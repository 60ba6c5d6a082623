#pragma once
// The byte side of TUUCode: a sequence of bytes with a position that can be read, written and
// measured. A memory buffer is the usual one (the encryption commands work on whole buffers);
// anything else can implement the four operations. An implementation reports a failure by
// throwing, and the codec lets the exception pass to its caller unchanged.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace ombre {

class ByteStream {
public:
    virtual ~ByteStream() = default;
    // Reads up to into.size() bytes from the position; fewer only at the end of the stream.
    virtual std::size_t Read(std::span<std::uint8_t> into) = 0;
    // Writes at the position, overwriting and then extending the stream.
    virtual void Write(std::span<const std::uint8_t> bytes) = 0;
    virtual std::uint64_t Size() const = 0;
    virtual std::uint64_t Position() const = 0;
};

// A stream over a byte vector that the caller owns.
class MemoryStream final : public ByteStream {
public:
    explicit MemoryStream(std::vector<std::uint8_t> &bytes, std::size_t position = 0);

    std::size_t Read(std::span<std::uint8_t> into) override;
    void Write(std::span<const std::uint8_t> bytes) override;
    std::uint64_t Size() const override { return bytes_.size(); }
    std::uint64_t Position() const override { return position_; }
    void Seek(std::size_t position);

private:
    std::vector<std::uint8_t> &bytes_;
    std::size_t position_;
};

} // namespace ombre
