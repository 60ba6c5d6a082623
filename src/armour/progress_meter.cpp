#include "armour/progress_meter.h"

#include <algorithm>
#include <utility>

namespace ombre {

ProgressMeter::ProgressMeter(std::uint64_t total, std::int32_t step, Report report)
    : total_(total), step_(step), report_(std::move(report))
{
}

void ProgressMeter::Advance(std::uint64_t done)
{
    const std::uint64_t percent = total_ == 0 ? 100 : std::min<std::uint64_t>(done * 100 / total_, 100);
    percent_ = static_cast<std::int32_t>(percent);
    if (percent_ % step_ == 0)
        Fire();
}

void ProgressMeter::Complete()
{
    percent_ = 100;
    Fire();
}

void ProgressMeter::Fire()
{
    if (report_)
        report_(percent_);
}

} // namespace ombre
