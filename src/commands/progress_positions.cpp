#include "commands/progress_positions.h"

#include "commands/progress_window.h"

namespace ombre {

CipherPositions::CipherPositions(TmProgressWnd &progress, std::uint64_t size) : progress_(progress)
{
    // A bar without positions (Max of 0 or below) has nothing to show.
    enabled_ = progress.Max > 0;
    if (enabled_)
        step_ = size / static_cast<std::uint64_t>(progress.Max);
}

void CipherPositions::advance(std::uint64_t bytes)
{
    if (!enabled_)
        return;
    done_ += bytes;
    const std::uint64_t target = done_ / (step_ + 1);
    while (position_ < target)
        progress_.SetProgress(static_cast<int>(++position_));
}

std::function<void(std::int32_t)> armourProgressHandler(TmProgressWnd &progress)
{
    return [&progress, last = std::int32_t{-1}](std::int32_t percent) mutable {
        if (percent == last)
            return;
        last = percent;
        progress.SetProgress(percent);
    };
}

} // namespace ombre
