#include "music/Utils.h"
#include "utils/TextToInt.h"

namespace music::Utils
{
Pitch transposePitchByInterval (const Pitch& pitch, const Interval& interval)
{
    const auto target = utils::saturateToInt (int64_t{pitch.getDiatonicNumber()} + interval.getDegree().getZeroBased());
    auto result = Pitch::fromDiatonicNumberAndAcc (target, 0);
    result.setAccidentals (utils::saturateToInt (int64_t{pitch.getMidiNumber()} - result.getMidiNumber() + interval.getSemitones()));
    return result;
}
} // namespace music::Utils
