#pragma once

#include "orv/score/io/TempoCurveLoader.h"
#include "orv/score/io/TestOrvana.h"
#include "orv/ui/tracker/TrackerTestScores.h"
#include "orv/ui/tracker/timePort/TimePort.h"
#include "utils/JsonParser.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** Eight 4/4 bars at the default zoom (tick 1024 is at x 160) with a tempo
    curve starting at 100 bpm and one tempo mark, "Andante" 90 bpm, at bar 3.
    The tempo range shown is 40 to 200 bpm. */
struct TempoFixture
{
    TempoFixture()
    {
        orvana.loadText (trackerTestPayload (8));
        loadCurve (R"({"startLevel": 100, "points": [{"type": "M", "barNum": 3, "pos": 0, "val": 90, "label": "Andante", "muted": "P", "spanDuration": 0}]})");
        tempoState().setBpmViewRange (orv::TempoBpmViewRange (40.0, 200.0));
        port.setBounds (0, 0, 1400, 400);
    }

    void loadCurve (const juce::String& json)
    {
        orv::score::io::TempoCurveLoader::loadCurveObject (utils::json::parse (json), orvana.score, orv::score::io::TempoCurveLoader::ExpandMode::replaceCurve);
    }

    orv::OrvTempoState tempoState() { return orvana.state.getOrCreateTempoState(); }
    orv::Curve2 curve() { return orvana.score.getOrCreateTempoCurve(); }

    /** The sent actions' methods, in order. */
    juce::StringArray sentMethods() const
    {
        juce::StringArray methods;

        for (const auto& sent : orvana.sentActions)
            methods.add (sent.method);

        return methods;
    }

    TestOrvana orvana;
    orv::tracker::timePort::TimePort port{orvana};
};

/** A mouse event on a component with the given modifiers (buttons and keys). */
inline juce::MouseEvent mouseAt (juce::Component& component, juce::Point<float> position, juce::Point<float> downAt, juce::ModifierKeys mods)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position, mods, juce::MouseInputSource::defaultPressure,
                             juce::MouseInputSource::defaultOrientation, juce::MouseInputSource::defaultRotation,
                             juce::MouseInputSource::defaultTiltX, juce::MouseInputSource::defaultTiltY, &component, &component, now, downAt,
                             now, 1, position != downAt);
}

inline const juce::ModifierKeys leftButton{juce::ModifierKeys::leftButtonModifier};
inline const juce::ModifierKeys rightButton{juce::ModifierKeys::rightButtonModifier};
