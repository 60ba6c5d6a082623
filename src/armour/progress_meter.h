#pragma once
// The armour's progress rule, shared by every encoder and decoder: after each line the percentage
// is recomputed and reported whenever it is a multiple of the step (so the same value may be
// reported on many lines in a row), and a last report of 100 ends every run, failed ones too.

#include <cstdint>
#include <functional>

namespace ombre {

class ProgressMeter {
public:
    using Report = std::function<void(std::int32_t percent)>;

    // total: the amount that means 100; a total of 0 (an empty stream) is complete from the start.
    ProgressMeter(std::uint64_t total, std::int32_t step, Report report);

    // done out of total, capped at 100 should the total have been too small.
    void Advance(std::uint64_t done);
    void Complete();

    std::int32_t percent() const { return percent_; }

private:
    void Fire();

    std::uint64_t total_;
    std::int32_t step_;
    Report report_;
    std::int32_t percent_ = 0;
};

} // namespace ombre
