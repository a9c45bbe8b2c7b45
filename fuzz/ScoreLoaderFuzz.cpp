// libFuzzer target: score payload text -> suite parser -> score loader, in
// both modes, plus the hit-point and restored-mark replies; then the model's
// invariants are checked. Any crash, sanitizer report or broken invariant
// is a finding.

#include "orv/score/io/ScoreLoader.h"
#include "orv/score/io/TempoCurveLoader.h"
#include "orv/score/io/TestOrvana.h"
#include "utils/JsonParser.h"
#include "utils/Midi.h"

#include <cstdint>
#include <cstdlib>

namespace
{
// The loader logs what it drops; a fuzzing run does not want to read that.
struct DiscardLog final : public juce::Logger
{
    void logMessage (const juce::String&) override {}
};

void require (bool condition)
{
    if (!condition)
        std::abort();
}

void checkInvariants (orv::Score& score)
{
    int64_t position = 0;

    for (int i = 0; i < score.getNumBars(); ++i)
    {
        const auto bar = score.getBarAt (i);
        require (i == 0 || score.getBarAt (i - 1).getId() < bar.getId());
        require (bar.getGlobalPos() == position);
        position += bar.getLength();
    }

    for (auto track : score.getTracks())
    {
        for (const auto& curve : track.getCurves())
        {
            // Curves only of controllers 0..127 and pitch bend; no clear nodes.
            const auto controller = curve.getControlNum();
            require (controller == utils::midi::pitchBendControlNum || (controller >= 0 && controller <= utils::midi::maxControllerNum));

            for (int n = 0; n < curve.getNumNodes(); ++n)
            {
                require (curve.getNode (n).getVal() >= 0);
                require (n == 0 || curve.getNode (n - 1).getPoser() < curve.getNode (n).getPoser());
            }
        }
    }

    const auto tempo = score.getOrCreateTempoCurve();

    for (int p = 1; p < tempo.getNumPoints(); ++p)
        require (tempo.getPoint (p - 1).getPoser() <= tempo.getPoint (p).getPoser());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size == 0 || size > (1u << 22))
        return 0;

    // The first byte picks the mode; the rest is the text.
    const auto mode = (data[0] & 1) != 0 ? orv::score::io::ScoreLoader::DecodeMode::reload
                                         : orv::score::io::ScoreLoader::DecodeMode::load;
    const auto text = juce::String::fromUTF8 (reinterpret_cast<const char*> (data + 1), static_cast<int> (size - 1));
    const auto payload = utils::json::parse (text);

    static TestOrvana orvana;
    static DiscardLog discard;
    juce::Logger::setCurrentLogger (&discard);
    orv::score::io::ScoreLoader loader (orvana.score, orvana);
    loader.load (payload, mode);
    checkInvariants (orvana.score);

    loader.loadHitPointsOnly (payload);
    orv::score::io::TempoCurveLoader::applyRestoreMarkReply (payload, orvana.score);
    orv::score::io::TempoCurveLoader::loadCurveObject (payload, orvana.score, orv::score::io::TempoCurveLoader::ExpandMode::replaceCurve);
    checkInvariants (orvana.score);

    juce::ignoreUnused (orvana.score.getTempoAtPoser ({1, 0}), orvana.score.getActiveRegionLabel());
    return 0;
}
