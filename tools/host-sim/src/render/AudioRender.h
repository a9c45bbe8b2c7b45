#pragma once

#include "score/ScoreDocument.h"

namespace hostsim::render
{
/** What to render: which staves and bars, into which file and format. */
struct AudioRequest
{
    juce::File file;
    juce::String format = "wav"; ///< "wav" or "aiff"
    double sampleRate = 44100.0; ///< 8000 to 192000
    int bitDepth = 16;           ///< 16 or 24; for WAV also 32 (floating point)
    int channels = 2;            ///< 1 or 2
    std::vector<int> staves;     ///< staff numbers; empty: every staff
    int firstBar = 0;            ///< 0: from the first bar
    int lastBar = 0;             ///< 0: to the last bar
};

/** What came out. */
struct AudioOutcome
{
    juce::Result result = juce::Result::ok();
    juce::int64 samples = 0; ///< sample frames written
    double seconds = 0.0;
};

/** The longest rendering accepted, in seconds. */
inline constexpr double maxAudioSeconds = 3600.0;

/** Renders the notes of the staves as simple tones (a sine with a little
    octave and a short attack and release, louder for higher played
    velocities) at the score's tempo, from the start of the first bar to the
    end of the last: the file lasts exactly as long as those bars play. The
    played-sound overrides of a note (offset, duration, velocity) are heard.
    The file is written through a temporary file and a rename. */
AudioOutcome renderAudio (const ScoreDocument& score, const AudioRequest& request);
} // namespace hostsim::render
