#pragma once

#include <juce_core/juce_core.h>

#include <algorithm>

/** Score payloads for Ferrymo's tests and benchmark: parsed from JSON text,
    or generated in bulk. */
namespace frytest
{
/** Lines joined for comparing in tests (a failure then shows them). */
inline juce::String lines (const juce::StringArray& items)
{
    return items.joinIntoString ("\n");
}

/** The JSON text parsed; fails the calling test on a typo through a void result. */
inline juce::var json (const juce::String& text)
{
    juce::var result;
    return juce::JSON::parse (text, result).wasOk() ? result : juce::var();
}

inline juce::var object (std::initializer_list<std::pair<const char*, juce::var>> properties)
{
    auto* o = new juce::DynamicObject();
    const juce::var result (o);

    for (const auto& [name, value] : properties)
        o->setProperty (name, value);

    return result;
}

/** A payload of `staves` staves over `bars` bars of 4/4, each staff bar with
    `notesPerStaffBar` notes (chords of two, spread over the bar) and
    `controllersPerStaffBar` controller commands; the same arguments always
    give the same payload. */
inline juce::var makeSyntheticPayload (int staves, int bars, int notesPerStaffBar, int controllersPerStaffBar,
                                       juce::int64 seed = 1)
{
    juce::Random random (seed);
    juce::Array<juce::var> barList, staffList;

    for (int b = 1; b <= bars; ++b)
        barList.add (object ({{"barNumber", b}, {"length", 1024}, {"meter", b % 8 == 5 ? "3/4" : "4/4"}}));

    for (int s = 1; s <= staves; ++s)
    {
        juce::Array<juce::var> staffBars;

        for (int b = 1; b <= bars; ++b)
        {
            juce::Array<juce::var> pots, commands;
            const auto chords = (notesPerStaffBar + 1) / 2;

            for (int c = 0; c < chords; ++c)
            {
                const auto root = 36 + random.nextInt (48);
                juce::Array<juce::var> notes{object ({{"pitch", root}})};

                if (2 * c + 1 < notesPerStaffBar)
                    notes.add (object ({{"pitch", root + 4 + random.nextInt (5)}}));

                const auto position = c * 1024 / std::max (1, chords);
                pots.add (object ({{"position", position}, {"duration", 1 + random.nextInt (512)}, {"noteList", notes}}));
            }

            for (int k = 0; k < controllersPerStaffBar; ++k)
            {
                const auto text = "~C" + juce::String (random.nextInt (128)) + "," + juce::String (random.nextInt (140));
                commands.add (object ({{"position", k * 1024 / std::max (1, controllersPerStaffBar)}, {"text", text}}));
            }

            staffBars.add (object ({{"barNumber", b}, {"potList", pots}, {"commandList", commands}}));
        }

        staffList.add (object ({{"header", object ({{"fullInstrumentName", "Staff " + juce::String (s)}})},
                                {"staffBarList", staffBars}}));
    }

    return object ({{"success", true}, {"barList", barList}, {"staffList", staffList}});
}
} // namespace frytest
