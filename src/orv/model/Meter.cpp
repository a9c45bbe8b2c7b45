#include "orv/model/Meter.h"
#include "utils/TextToInt.h"

namespace orv
{
Meter Meter::fromString (const juce::String& text)
{
    const auto slash = text.indexOfChar ('/');

    if (slash < 0 || text.indexOfChar (slash + 1, '/') >= 0)
        return {};

    return {utils::textToInt (text.substring (0, slash)), utils::textToInt (text.substring (slash + 1))};
}

juce::String Meter::toString() const
{
    return juce::String (numerator) + "/" + juce::String (denominator);
}

int Meter::getBeatTicks() const noexcept
{
    if (denominator == 0)
        return 0;

    return 1024 / denominator;
}
} // namespace orv
