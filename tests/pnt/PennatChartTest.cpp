// The fingering chart: the factory chart against the table of fingerings
// (all 32 entries, through both factory texts and the parser), the layout
// of the factory texts, the preset parser's rules and its survival of
// random garbage, fingering texts, flute keys and the transposition's
// interval and playable range.
#include "pnt/PntActions.h"
#include "pnt/PntFactoryPreset.h"
#include "pnt/PntFingeringMapper.h"
#include "pnt/PntPayloadIds.h"

#include <gtest/gtest.h>

using namespace pnt;

namespace
{
struct ChartEntry
{
    const char* note;
    const char* sixHole;
    const char* fiveHole;
};

// The fingering table, holes from the top, written as six characters.
const ChartEntry chart[] = {
    {"F#4", "111111", "111110"},
    {"G#4", "11111H", "1111H0"},
    {"A4", "111110", "111100"},
    {"A#4", "111101", "111010"},
    {"B4", "111100", "111000"},
    {"C5", "111010", "110100"},
    {"C#5", "111000", "110000"},
    {"D5", "110100", "101010"},
    {"D#5", "110000", "101000"},
    {"E5", "101000", "100000"},
    {"F5", "100000", "001000"},
    {"F#5", "001000", "000000"},
    {"G5", "000000", "011110"},
    {"G#5", "001101", "011010"},
    {"A5", "0011H0", "011100"},
    {"A#5", "001100", "011000"},
};

PntFingeringMapper mapperFor (const juce::String& text)
{
    PntFingeringMapper mapper{PntPreferences()};
    mapper.loadPresetFromString (text);
    return mapper;
}

juce::String lookUp (const PntFingeringMapper& mapper, PntFluteType type, const juce::String& note)
{
    const auto found = mapper.getFingeringForNoteNameOct (type, note);
    return found.has_value() ? found->toString() : juce::String ("none");
}
} // namespace

TEST (PennatFactoryChart, EveryEntryOfBothSectionsReadsAsTheTableThroughBothTexts)
{
    for (const auto& text : {PntFactoryPreset::get(), PntFactoryPreset::getWithInstructions()})
    {
        const auto mapper = mapperFor (text);
        EXPECT_EQ (mapper.getNumEntries (PntFluteType::SixHole), 16);
        EXPECT_EQ (mapper.getNumEntries (PntFluteType::FiveHole), 16);

        for (const auto& entry : chart)
        {
            EXPECT_EQ (lookUp (mapper, PntFluteType::SixHole, entry.note), entry.sixHole) << entry.note;
            EXPECT_EQ (lookUp (mapper, PntFluteType::FiveHole, entry.note), entry.fiveHole) << entry.note;
        }

        // Exact lookups only: no enharmonic, octave or flat spelling.
        for (const auto* missing : {"Gb4", "F#5 ", "f#4", "G4", "E4", "F#3", "A6", ""})
            EXPECT_EQ (lookUp (mapper, PntFluteType::SixHole, missing), "none") << missing;
    }

    // The factory mapper (no user file) holds the same chart.
    PntFingeringMapper factory{PntPreferences()};
    factory.loadCorrespondingPreset();
    EXPECT_FALSE (factory.isUsingUserPreset());
    EXPECT_EQ (lookUp (factory, PntFluteType::SixHole, "A4"), "111110");
    EXPECT_EQ (lookUp (factory, PntFluteType::FiveHole, "G#4"), "1111H0");
    const auto gSharp = factory.getFingeringForNoteNameOct (PntFluteType::FiveHole, "G#4");
    ASSERT_TRUE (gSharp.has_value());
    EXPECT_EQ (gSharp->getHolePosition (3), PntHolePosition::Covered);
    EXPECT_EQ (gSharp->getHolePosition (4), PntHolePosition::Half);
    EXPECT_EQ (gSharp->getHolePosition (5), PntHolePosition::Open);
}

TEST (PennatFactoryChart, TextsAreLaidOutByteForByte)
{
    const auto text = PntFactoryPreset::get();
    const auto lines = juce::StringArray::fromTokens (text, "\n", "");

    // Empty line, header, 16 notes, empty line, header, 16 notes, and the final line break.
    ASSERT_EQ (lines.size(), 37);
    EXPECT_EQ (lines[0], "");
    EXPECT_EQ (lines[1], "[SixHole]");
    EXPECT_EQ (lines[2], "F#4 = 111 111");
    EXPECT_EQ (lines[4], "A4  = 111 110");
    EXPECT_EQ (lines[16], "A5  = 001 1H0");
    EXPECT_EQ (lines[17], "A#5 = 001 100");
    EXPECT_EQ (lines[18], "");
    EXPECT_EQ (lines[19], "[FiveHole]");
    EXPECT_EQ (lines[27], "D5  = 10 101");
    EXPECT_EQ (lines[35], "A#5 = 01 100");
    EXPECT_EQ (lines[36], "");
    EXPECT_FALSE (text.containsChar ('\r'));

    // The instructions go before the chart, every line of them a comment the parser skips.
    const auto withInstructions = PntFactoryPreset::getWithInstructions();
    ASSERT_TRUE (withInstructions.endsWith (text));
    auto header = juce::StringArray::fromTokens (withInstructions.dropLastCharacters (text.length()), "\n", "");
    header.removeEmptyStrings();
    ASSERT_FALSE (header.isEmpty());

    for (const auto& line : header)
        EXPECT_TRUE (line.startsWith ("//")) << line;
}

TEST (PennatPresetParser, FollowsTheFormatsRules)
{
    const auto mapper = mapperFor ("  A4 = 1 1 1 0 0 0  \r\n" // before any section: six-hole
                                   "// B4 = 111111\n"         // a comment
                                   "[ Five Hole ]\n"          // spaces dropped: FiveHole
                                   "C5=11H\n"
                                   "C5 = 10\n"            // a later line wins
                                   "D5 = 1 = 1\n"         // two "=": skipped
                                   "E5\n"                 // no "=": skipped
                                   " = 111\n"             // no note: skipped
                                   "F5 =   \n"            // no pattern: skipped
                                   "[Recorder]\n"         // unknown names read as SixHole
                                   "G5 = 0x0 1H1 11111\r" // foreign characters are open; holes past six ignored
                                   "[FiveHole]\n"
                                   "A4 = 11111\n");
    EXPECT_EQ (lookUp (mapper, PntFluteType::SixHole, "A4"), "111000");
    EXPECT_EQ (lookUp (mapper, PntFluteType::SixHole, "B4"), "none");
    EXPECT_EQ (lookUp (mapper, PntFluteType::FiveHole, "C5"), "100000");
    EXPECT_EQ (lookUp (mapper, PntFluteType::FiveHole, "D5"), "none");
    EXPECT_EQ (lookUp (mapper, PntFluteType::FiveHole, "E5"), "none");
    EXPECT_EQ (lookUp (mapper, PntFluteType::FiveHole, "F5"), "none");
    EXPECT_EQ (lookUp (mapper, PntFluteType::SixHole, "G5"), "0001H1");
    EXPECT_EQ (lookUp (mapper, PntFluteType::FiveHole, "A4"), "111110");
    EXPECT_EQ (mapper.getNumEntries (PntFluteType::SixHole), 2);
    EXPECT_EQ (mapper.getNumEntries (PntFluteType::FiveHole), 2);

    // A new text replaces the whole table.
    auto reloaded = mapper;
    reloaded.loadPresetFromString ("[FiveHole]\nB4 = 11100");
    EXPECT_EQ (lookUp (reloaded, PntFluteType::SixHole, "A4"), "none");
    EXPECT_EQ (lookUp (reloaded, PntFluteType::FiveHole, "B4"), "111000");
}

TEST (PennatPresetParser, SurvivesRandomGarbageAndKeepsEveryFingeringWellFormed)
{
    juce::Random random (30);
    const auto valid = PntFactoryPreset::getWithInstructions();
    PntFingeringMapper mapper{PntPreferences()};
    int withEntries = 0;

    for (int round = 0; round < 1500; ++round)
    {
        juce::String text = valid;

        for (int edits = 1 + random.nextInt (12); --edits >= 0;)
        {
            const auto at = random.nextInt (juce::jmax (1, text.length()));
            const auto c = static_cast<juce::juce_wchar> (random.nextBool() ? random.nextInt ({1, 128}) : random.nextInt ({1, 0xd000}));

            switch (random.nextInt (3))
            {
                case 0:
                    text = text.replaceSection (at, 1, juce::String::charToString (c));
                    break;
                case 1:
                    text = text.substring (0, at) + juce::String::charToString (c) + text.substring (at);
                    break;
                default:
                    text = text.substring (0, at);
                    break;
            }
        }

        mapper.loadPresetFromString (text);

        for (const auto type : {PntFluteType::SixHole, PntFluteType::FiveHole})
        {
            for (const auto& entry : chart)
            {
                if (const auto found = mapper.getFingeringForNoteNameOct (type, entry.note))
                {
                    ASSERT_TRUE (found->toString().containsOnly ("10H") && found->toString().length() == 6) << text;
                }
            }
        }

        withEntries += mapper.getNumEntries (PntFluteType::SixHole) > 0 ? 1 : 0;
    }

    EXPECT_GT (withEntries, 300) << "many mutations keep the six-hole lines";

    // Pure noise, long lines and no line breaks at all.
    for (int round = 0; round < 200; ++round)
    {
        juce::String noise;

        for (int i = random.nextInt (4000); --i >= 0;)
            noise << juce::String::charToString (static_cast<juce::juce_wchar> (random.nextInt ({1, 0x3000})));

        mapper.loadPresetFromString (noise);
    }
}

TEST (PennatFingering, TextFormHasSixCharactersWhateverWasRead)
{
    struct Case
    {
        const char* read;
        const char* written;
    };

    for (const auto& c : {Case{"111110", "111110"}, Case{"11111", "111110"}, Case{"", "000000"}, Case{"1H", "1H0000"},
                          Case{"h1x1 1", "010101"}, Case{"1111111111", "111111"}})
        EXPECT_EQ (PntFingering::fromString (c.read).toString(), c.written) << c.read;

    EXPECT_EQ (PntFingering::fromString ("").getNumHoles(), 0);

    PntFingering built;
    built.setHolePosition (5, PntHolePosition::Half);
    built.setHolePosition (6, PntHolePosition::Covered);
    built.setHolePosition (-1, PntHolePosition::Covered);
    EXPECT_EQ (built.toString(), "00000H");
    EXPECT_EQ (built.getHolePosition (5), PntHolePosition::Half);
    EXPECT_EQ (built.getHolePosition (6), PntHolePosition::Open);

    EXPECT_EQ (fluteTypeFromString ("FiveHole"), PntFluteType::FiveHole);
    EXPECT_EQ (fluteTypeFromString ("fivehole"), PntFluteType::SixHole);
    EXPECT_EQ (directionFromString ("Concert"), TransposeDirection::Concert);
    EXPECT_EQ (directionFromString ("concert"), TransposeDirection::NakaiTab);
    EXPECT_EQ (placeFromString ("Above"), NewPartPlace::Above);
    EXPECT_EQ (placeFromString (""), NewPartPlace::Below);
    EXPECT_EQ (sizeFromString ("Normal"), NewPartSize::Normal);
    EXPECT_EQ (sizeFromString ("Big"), NewPartSize::Small);
}

TEST (PennatFluteKey, TypedKeysAreTidiedWithoutLosingFlats)
{
    struct Case
    {
        const char* typed;
        const char* stored;
    };

    for (const auto& c : {Case{"A", "A4"}, Case{"", "F#4"}, Case{"   ", "F#4"}, Case{"bb3", "Bb3"}, Case{"Bb4", "Bb4"}, Case{"f#", "F#4"},
                          Case{"F#", "F#4"}, Case{"g5", "G5"}, Case{"eb", "Eb4"}, Case{" c#3 ", "C#3"}, Case{"A0", "A4"}})
        EXPECT_EQ (FluteKey (c.typed).toString(), c.stored) << c.typed;
}

TEST (PennatTransposition, IntervalsOctavesAndPlayableRange)
{
    struct Case
    {
        const char* key;
        TransposeDirection direction;
        int degree;
        const char* interval;
        const char* hostType;
        int octaves;
    };

    // Hand-checked: an A flute fingers F# where it sounds A, so concert A
    // goes down a minor third to the tablature's F#.
    const Case cases[] = {
        {"A4", TransposeDirection::NakaiTab, -3, "-Min3", "4", 0},
        {"A4", TransposeDirection::Concert, 3, "Min3", "4", 0},
        {"A3", TransposeDirection::NakaiTab, -3, "-Min3", "4", -1},
        {"F#4", TransposeDirection::NakaiTab, 1, "Per1", "5", 0},
        {"G4", TransposeDirection::NakaiTab, -2, "-Min2", "4", 0},
        {"E4", TransposeDirection::NakaiTab, 2, "Maj2", "5", 0},
        {"Bb3", TransposeDirection::NakaiTab, -4, "-Dim4", "4", -1},
        {"C5", TransposeDirection::Concert, -4, "-Aug4", "6", 1},
        {"D", TransposeDirection::NakaiTab, 3, "Maj3", "5", 0},
    };

    for (const auto& c : cases)
    {
        const auto info = PntActionTranspose::getTransposeIntervalInfo (FluteKey (c.key), c.direction);
        EXPECT_EQ (info.interval.getDegree().get(), c.degree) << c.key;
        EXPECT_EQ (info.interval.toString(), c.interval) << c.key;
        EXPECT_EQ (info.interval.getTypeInHostFormat(), c.hostType) << c.key;
        EXPECT_EQ (info.concertOctaves, c.octaves) << c.key;
    }

    // The whole argument, keys in order, the degree zero-based and signed.
    PntState state;
    state.getTree().setProperty (PntState::transposeFluteKey, "A", nullptr);
    state.getTree().setProperty (PntState::transposeIntoNewPart, "1", nullptr);
    state.getTree().setProperty (PntState::transposeNewPartPlace, "Above", nullptr);
    state.getTree().setProperty (PntState::transposeNewPartSize, "Huge", nullptr);
    PntActionTranspose action;
    action.setOptions (state);
    EXPECT_EQ (action.getMethodName(), "transpose");
    EXPECT_EQ (juce::JSON::toString (action.getArg(), true),
               R"({"fluteKey": "A4", "intoNewPart": true, "newPartPlace": "Above", "newPartSize": "Small", "direction": "NakaiTab", )"
               R"("playableNotesInfo": {"lowestPitch": 66, "highestPitch": 82, "uncomfortablePitches": [67]}, )"
               R"("transposeInterval": {"degree": -2, "type": "4"}, "concertOctaves": 0})");

    // A key typed without octave no longer means octave 0.
    state.getTree().setProperty (PntState::transposeFluteKey, "F#", nullptr);
    action.setOptions (state);
    EXPECT_EQ (action.getArg()[payloadids::concertOctaves], juce::var (0));
    state.getTree().removeProperty (PntState::transposeFluteKey, nullptr);
    action.setOptions (state);
    EXPECT_EQ (action.getArg()[payloadids::fluteKey], juce::var ("F#4"));
}
