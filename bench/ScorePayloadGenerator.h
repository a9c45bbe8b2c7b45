#pragma once

#include <juce_core/juce_core.h>

#include <string>

/** Builds score payloads of a chosen size, shaped like the host's: staves ×
    bars × notes per bar, with controller, pitch-bend and phantom-note
    commands, wing nodes, tempo points and hit points. Shared by the
    benchmarks and the loader tests (header only). */
namespace orvbench
{
struct PayloadShape
{
    int staves = 20;
    int bars = 500;
    int notesPerBar = 10;
    /** Controller commands per staff bar, alternating controllers 7 and 11. */
    int controllerCommandsPerBar = 2;
    int pitchBendCommandsPerBar = 1;
    /** Phantom notes per staff bar, each a note on and a note off. */
    int phantomNotesPerBar = 1;
    int tempoPointEveryBars = 4;
    int hitPointEveryBars = 50;
    bool notePerformer = false;

    int totalNotes() const { return staves * bars * notesPerBar; }

    /** Every eighth bar is a 3/4 bar. */
    static int barLength (int bar) { return bar % 8 == 0 ? 768 : 1024; }
};

/** The payload's JSON text. */
inline juce::String makeScorePayload (const PayloadShape& shape)
{
    std::string out;
    out.reserve (static_cast<size_t> (shape.totalNotes()) * 120 + 100000);

    const auto num = [&out] (long long value)
    { out += std::to_string (value); };

    out += R"({"soundSet":")";
    out += shape.notePerformer ? "NotePerformer" : "Sibelius Player";
    out += R"(","title":"Generated Score.sib","lastPoser":{"bar":)";
    num (shape.bars);
    out += R"(,"pos":512},"activeRegion":{"barFrom":1,"barTo":)";
    num (shape.bars);
    out += R"(},"barList":[)";

    for (int bar = 1; bar <= shape.bars; ++bar)
    {
        out += bar > 1 ? "," : "";
        out += R"({"barNumber":)";
        num (bar);
        out += R"(,"externalBarNumber":)";
        num (bar + 10);
        out += R"(,"length":)";
        num (PayloadShape::barLength (bar));
        out += PayloadShape::barLength (bar) == 768 ? R"(,"meter":"3/4"})" : R"(,"meter":"4/4"})";
    }

    out += R"(],"tempoCurve":{"startLevel":96,"points":[{"type":"LW","barNum":0,"pos":0,"val":80})";

    for (int bar = 1; bar <= shape.bars; bar += shape.tempoPointEveryBars)
    {
        if ((bar / shape.tempoPointEveryBars) % 2 == 0)
        {
            out += R"(,{"type":"N","barNum":)";
            num (bar);
            out += R"(,"pos":0,"val":120.5,"reachShape":"R"})";
        }
        else
        {
            out += R"(,{"type":"M","barId":)";
            num (bar);
            out += R"(,"pos":256,"val":100,"spanDuration":512,"label":"Allegro","muted":"P","motionType":""})";
        }
    }

    out += R"(]},"hitPointList":[)";

    for (int bar = 1, n = 0; bar <= shape.bars; bar += shape.hitPointEveryBars, ++n)
    {
        out += n > 0 ? "," : "";
        out += R"({"id":)";
        num (n + 1);
        out += R"(,"bar":)";
        num (bar);
        out += R"(,"position":128,"time":)";
        num (bar * 2000LL);
        out += R"(,"label":"Hit )";
        num (n + 1);
        out += R"("})";
    }

    out += R"(],"staffList":[)";

    for (int staff = 1; staff <= shape.staves; ++staff)
    {
        out += staff > 1 ? "," : "";
        out += R"({"header":{"staffNum":)";
        num (staff);
        out += R"(,"fullInstrumentName":"Violin )";
        num (staff);
        out += R"(","shortInstrumentName":"Vln. )";
        num (staff);
        out += R"(","styleId":"instrument.string.violin","solo":false,"muteMode":"N"},)";
        out += R"("wingPairList":[{"controlId":"7","leftWing":{"val":100,"ticksDist":512,"barNum":0,"pos":512},)";
        out += R"("rightWing":{"val":90,"ticksDist":0,"barNum":)";
        num (shape.bars + 1);
        out += R"(,"pos":0,"type":"R"}},{"controlId":"B","leftWing":{"val":-1},"rightWing":{"val":-1}}],"staffBarList":[)";

        int noteCounter = 0;

        for (int bar = 1; bar <= shape.bars; ++bar)
        {
            out += bar > 1 ? "," : "";
            out += R"({"barNumber":)";
            num (bar);
            out += R"(,"potList":[)";

            for (int remaining = shape.notesPerBar, pot = 0; remaining > 0; ++pot)
            {
                const int inPot = (pot % 3 == 2 && remaining >= 2) ? 2 : 1;
                remaining -= inPot;

                out += pot > 0 ? "," : "";
                out += R"({"potNum":)";
                num (pot);
                out += R"(,"position":)";
                num ((pot * 96) % 1024);
                out += R"(,"duration":96,"noteList":[)";

                for (int i = 0; i < inPot; ++i, ++noteCounter)
                {
                    out += i > 0 ? "," : "";
                    out += R"({"pitch":)";
                    num (48 + (noteCounter * 7) % 36);
                    out += R"(,"originalVelocity":)";
                    num (60 + noteCounter % 40);
                    out += R"(,"originalDuration":90)";

                    if (noteCounter % 5 == 0)
                        out += R"(,"hasTuplet":true,"tupletLeftNumber":3,"tupletRightNumber":2)";

                    if (noteCounter % 7 == 0)
                        out += R"(,"originalDeltaSr":-8)";

                    out += "}";
                }

                out += "]}";
            }

            out += R"(],"commandList":[)";
            bool first = true;

            const auto command = [&] (int position, const std::string& text)
            {
                out += first ? "" : ",";
                first = false;
                out += R"({"position":)";
                num (position);
                out += R"(,"text":")";
                out += text;
                out += R"("})";
            };

            for (int i = 0; i < shape.controllerCommandsPerBar; ++i)
                command (i * 64, (i % 2 == 0 ? "~C7," : "~-C11,") + std::to_string ((bar + i) % 128));

            for (int i = 0; i < shape.pitchBendCommandsPerBar; ++i)
                command (i * 128 + 32, "~B0," + std::to_string ((bar * 3 + i) % 128));

            for (int i = 0; i < shape.phantomNotesPerBar; ++i)
            {
                command (512 + i * 64, "~N" + std::to_string (72 + i) + ",100");
                command (512 + i * 64 + 32, "~N" + std::to_string (72 + i) + ",0");
            }

            out += "]}";
        }

        out += R"(],"commandNotesWings":[{"bar":)";
        num (shape.bars);
        out += R"(,"pos":700,"pitch":100,"vel":80},{"bar":)";
        num (shape.bars);
        out += R"(,"pos":710,"pitch":100,"vel":0}]})";
    }

    out += "]}";
    return juce::String (juce::CharPointer_UTF8 (out.data()), juce::CharPointer_UTF8 (out.data() + out.size()));
}
} // namespace orvbench
