#include "armour/alphabet.h"

namespace ombre {
namespace {

constexpr ArmourAlphabet MakeAlphabet(std::string_view chars)
{
    ArmourAlphabet alphabet{chars, {}};
    alphabet.values.fill(kArmourInvalid);
    alphabet.values[' '] = 0;
    for (std::size_t v = 0; v < chars.size(); ++v)
        alphabet.values[static_cast<unsigned char>(chars[v])] = static_cast<std::int8_t>(v);
    return alphabet;
}

constexpr ArmourAlphabet kUUE = MakeAlphabet(kUUEAlphabet);
constexpr ArmourAlphabet kXXE = MakeAlphabet(kXXEAlphabet);
static_assert(kUUEAlphabet.size() == 64 && kXXEAlphabet.size() == 64);

} // namespace

const ArmourAlphabet &UUEArmourAlphabet() { return kUUE; }
const ArmourAlphabet &XXEArmourAlphabet() { return kXXE; }

} // namespace ombre
