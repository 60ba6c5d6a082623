#include "armour/byte_stream.h"

#include <algorithm>
#include <cstring>

namespace ombre {

MemoryStream::MemoryStream(std::vector<std::uint8_t> &bytes, std::size_t position)
    : bytes_(bytes), position_(std::min(position, bytes.size()))
{
}

std::size_t MemoryStream::Read(std::span<std::uint8_t> into)
{
    const std::size_t n = std::min(into.size(), bytes_.size() - position_);
    if (n > 0)
        std::memcpy(into.data(), bytes_.data() + position_, n);
    position_ += n;
    return n;
}

void MemoryStream::Write(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return;
    if (position_ + bytes.size() > bytes_.size())
        bytes_.resize(position_ + bytes.size());
    std::memcpy(bytes_.data() + position_, bytes.data(), bytes.size());
    position_ += bytes.size();
}

void MemoryStream::Seek(std::size_t position)
{
    position_ = std::min(position, bytes_.size());
}

} // namespace ombre
