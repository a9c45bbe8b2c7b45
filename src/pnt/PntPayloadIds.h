#pragma once

#include <juce_core/juce_core.h>

/** The keys Pennat exchanges with its host plug-in, declared once. */
namespace pnt::payloadids
{
/** A selected note of "autoInsert"'s reply: its name with octave, and the fingering the suite adds. */
inline const juce::Identifier nameOct{"nameOct"};
inline const juce::Identifier fingering{"fingering"};
inline const juce::Identifier fluteType{"fluteType"};
inline const juce::Identifier fingerings{"fingerings"};

/** "transpose"'s argument. */
inline const juce::Identifier fluteKey{"fluteKey"};
inline const juce::Identifier intoNewPart{"intoNewPart"};
inline const juce::Identifier newPartPlace{"newPartPlace"};
inline const juce::Identifier newPartSize{"newPartSize"};
inline const juce::Identifier direction{"direction"};
inline const juce::Identifier playableNotesInfo{"playableNotesInfo"};
inline const juce::Identifier lowestPitch{"lowestPitch"};
inline const juce::Identifier highestPitch{"highestPitch"};
inline const juce::Identifier uncomfortablePitches{"uncomfortablePitches"};
inline const juce::Identifier transposeInterval{"transposeInterval"};
inline const juce::Identifier degree{"degree"};
inline const juce::Identifier type{"type"};
inline const juce::Identifier concertOctaves{"concertOctaves"};
} // namespace pnt::payloadids
