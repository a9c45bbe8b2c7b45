#include "orv/model/Track.h"
#include "orv/pref/AutomLegacyConverter.h"
#include "orv/pref/OrvPreferences.h"
#include "orv/pref/OrvState.h"
#include "orv/pref/PrefIds.h"

#include <gtest/gtest.h>

#include <set>

namespace ids = orv::prefids;
using namespace orv::preferences;

namespace
{
juce::var randomValue (juce::Random& rng)
{
    static const char* texts[] = {"", "true", "false", "{\"controlId\":\"7\"}", "showTempo", "R", "-5,9", "abc", "ff00ff00", "{\"show\":\"false\",\"x"};
    const juce::var values[] = {rng.nextInt(), rng.nextInt (5) - 2, rng.nextBool(), rng.nextDouble() * 1e6 - 5e5,
                                "instrument." + juce::String (rng.nextInt (4)), texts[rng.nextInt (10)]};
    return values[rng.nextInt (6)];
}

// Trees made of the state and preference types and properties in random
// shapes, as a damaged or foreign file would give them.
juce::ValueTree randomTree (juce::Random& rng, int depth)
{
    static const juce::Identifier types[] = {ids::ORV_PREFERENCES, ids::AUTOMATION, ids::AUTOMATION_MAP, ids::TAB, ids::TRACKSTYLES, ids::TRACKSTYLE, ids::ORV_STATE, ids::TRACKER_STATE, ids::TEMPO_STATE, ids::SNAPPING, ids::TOGGLESIZEKNOB, "JUNK"};
    static const juce::Identifier names[] = {ids::mapName, ids::index, ids::controlId, ids::show, ids::config, ids::isDefault, ids::instrumentType, ids::color, ids::bpmViewRange, ids::nodeReachShape, ids::ticks, ids::enabled, ids::togglePosition, ids::pluginKey};

    juce::ValueTree tree (types[rng.nextInt (12)]);

    for (int p = rng.nextInt (5); --p >= 0;)
        tree.setProperty (names[rng.nextInt (14)], randomValue (rng), nullptr);

    if (depth > 0)
        for (int c = rng.nextInt (5); --c >= 0;)
            tree.appendChild (randomTree (rng, depth - 1), nullptr);

    return tree;
}

void checkAutomationLayout (OrvPreferences& prefs)
{
    const auto root = prefs.getState();
    ASSERT_FALSE (root.getChildWithName (ids::AUTOMATION_MAP).isValid());

    std::set<juce::String> mapNames;

    for (const auto& map : prefs.getOrCreateAutomation().getState())
    {
        ASSERT_TRUE (map.hasType (ids::AUTOMATION_MAP));
        ASSERT_TRUE (mapNames.insert (map[ids::mapName].toString()).second);
        int previous = -1;

        for (const auto& tab : map)
        {
            ASSERT_TRUE (tab.hasType (ids::TAB));
            ASSERT_FALSE (tab.hasProperty (ids::config));
            const int index = tab[ids::index];
            ASSERT_GT (index, previous);
            previous = index;
        }
    }
}
} // namespace

TEST (PrefsRandom, DamagedTreesAreBroughtIntoShape)
{
    juce::Random rng (4242);

    for (int round = 0; round < 1500; ++round)
    {
        OrvPreferences prefs (randomTree (rng, 4));
        prefs.normalizeAutomationLayout();
        checkAutomationLayout (prefs);

        auto styles = prefs.getOrCreateTrackStyles();
        styles.ensureDefaults();
        auto track = orv::Track::create (1);
        track.setInstrumentType (randomValue (rng).toString());
        juce::ignoreUnused (styles.getTrackStyleForTrack (track).getColor());
        ASSERT_TRUE (styles.getOrCreateDefaultTrackStyle().isDefault());

        orv::OrvState state (randomTree (rng, 3));
        state.ensureDefaults();
        auto tempo = state.getOrCreateTempoState();
        const auto range = tempo.getBpmViewRange();
        ASSERT_GE (range.getMin(), 0.0);
        ASSERT_GE (range.getMax(), range.getMin() + 20.0);
        ASSERT_GE (tempo.getSnapping().getGridTicks(), 1);
        juce::ignoreUnused (state.getOrCreateTrackerState().getPointerSnapTicks(), state.getOrCreateEditorViewportState().getZoomX());
    }
}

TEST (PrefsRandom, LegacyTextNeverBreaksTheImport)
{
    juce::Random rng (99);
    const juce::String alphabet ("{}[]\",:\\ abcdeftabshowcontrolId<>/tab07B");

    for (int round = 0; round < 4000; ++round)
    {
        juce::String text;

        for (int i = rng.nextInt (80); --i >= 0;)
            text += alphabet[rng.nextInt (alphabet.length())];

        AutomationTab tab (juce::ValueTree (ids::TAB));
        AutomationTab::importLegacyConfigBlob (tab, text);
        juce::ignoreUnused (AutomLegacyConverter::parseTabBlobs (text), AutomLegacyConverter::parseTabBlobs ("[" + text + "]"));
        ASSERT_TRUE (tab.getState().hasType (ids::TAB));
    }
}
