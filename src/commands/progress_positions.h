#pragma once
// How the encryption commands move the progress bar.

#include <cstdint>
#include <functional>

namespace ombre {

class TmProgressWnd;

// Positions from a cipher loop: step = the size of the buffer that the loop reads div Max; the
// bar advances by one every step + 1 bytes (by one per byte below Max bytes). The loops work in
// large pieces; every position crossed by a piece is still set, in order.
class CipherPositions {
public:
    CipherPositions(TmProgressWnd &progress, std::uint64_t size);
    void advance(std::uint64_t bytes);

private:
    TmProgressWnd &progress_;
    std::uint64_t step_ = 0;
    std::uint64_t done_ = 0;
    std::uint64_t position_ = 0;
    bool enabled_ = true;
};

// The main window's armour progress handler: puts the codec's percentage on the bar. The codec
// reports the same value on many lines in a row; only a new value reaches the window.
std::function<void(std::int32_t)> armourProgressHandler(TmProgressWnd &progress);

} // namespace ombre
