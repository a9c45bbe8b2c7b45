#include "render/PdfPages.h"
#include "music/Spelling.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace hostsim::render
{
namespace
{
constexpr double pageWidth = 595.0; // A4 in points
constexpr double pageHeight = 842.0;
constexpr double margin = 48.0;
constexpr double nameWidth = 92.0;
constexpr double titleHeight = 70.0;
constexpr double footerHeight = 24.0;
constexpr const char* fontFamily = "DejaVu Sans";

/** Staff step of the bottom line: E4 in the treble clef, G2 in the bass clef. */
constexpr int trebleBottom = 7 * 5 + music::E;
constexpr int bassBottom = 7 * 3 + music::G;

/** Owns a cairo surface and context for one document. */
class PdfCanvas final
{
public:
    explicit PdfCanvas (const juce::File& file)
        : surface (cairo_pdf_surface_create (file.getFullPathName().toRawUTF8(), pageWidth, pageHeight))
        , cr (cairo_create (surface))
    {
    }

    ~PdfCanvas()
    {
        cairo_destroy (cr);
        cairo_surface_destroy (surface);
    }

    bool ok() const { return cairo_surface_status (surface) == CAIRO_STATUS_SUCCESS && cairo_status (cr) == CAIRO_STATUS_SUCCESS; }

    void setTitle (const juce::String& title)
    {
        cairo_pdf_surface_set_metadata (surface, CAIRO_PDF_METADATA_TITLE, title.toRawUTF8());
        cairo_pdf_surface_set_metadata (surface, CAIRO_PDF_METADATA_CREATOR, "host-sim");
    }

    /** Ends the document; false when cairo could not write it. */
    bool finish()
    {
        cairo_surface_finish (surface);
        return ok();
    }

    void text (const juce::String& s, double x, double y, double size, bool bold = false, double align = 0.0)
    {
        cairo_select_font_face (cr, fontFamily, CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size (cr, size);
        cairo_text_extents_t extents;
        cairo_text_extents (cr, s.toRawUTF8(), &extents);
        cairo_move_to (cr, x - align * extents.x_advance, y);
        cairo_show_text (cr, s.toRawUTF8());
    }

    void line (double x1, double y1, double x2, double y2, double width)
    {
        cairo_set_line_width (cr, width);
        cairo_move_to (cr, x1, y1);
        cairo_line_to (cr, x2, y2);
        cairo_stroke (cr);
    }

    void noteHead (double x, double y, double space, bool open)
    {
        cairo_new_path (cr); // no line from where the last text ended
        cairo_save (cr);
        cairo_translate (cr, x, y);
        cairo_rotate (cr, -0.35);
        cairo_scale (cr, 0.62 * space, 0.45 * space);
        cairo_arc (cr, 0.0, 0.0, 1.0, 0.0, juce::MathConstants<double>::twoPi);
        cairo_restore (cr);

        if (open)
        {
            cairo_set_line_width (cr, 0.12 * space);
            cairo_stroke (cr);
        }
        else
        {
            cairo_fill (cr);
        }
    }

    void showPage() { cairo_show_page (cr); }

private:
    cairo_surface_t* surface;
    cairo_t* cr;
};

/** One system's geometry: where its staves and bars are. */
struct SystemBox
{
    double top, left, right, space;
    int staffCount;

    double staffTop (int index) const { return top + index * 9.0 * space; }
    double bottomLine (int index) const { return staffTop (index) + 4.0 * space; }
};

juce::String accidentalSign (int alter)
{
    if (alter == 0)
        return juce::String::fromUTF8 ("\xe2\x99\xae"); // natural

    return juce::String::repeatedString (juce::String::fromUTF8 (alter > 0 ? "\xe2\x99\xaf" : "\xe2\x99\xad"), std::abs (alter));
}

class ScorePrinter final
{
public:
    ScorePrinter (const ScoreDocument& s, const std::vector<const Staff*>& st, PdfCanvas& c)
        : score (s)
        , staves (st)
        , canvas (c)
    {
        for (const auto* staff : staves)
            trebles.push_back (isTreble (*staff));
    }

    void printSystem (const System& system, const SystemBox& box, bool firstOfScore)
    {
        const auto& s = box.space;
        const auto music = box.left + nameWidth;
        const auto key = keyAt (system.firstBar);
        const auto signatureWidth = (1.5 + std::min (7, std::abs (key.fifths))) * s;
        const auto barsLeft = music + 3.0 * s + signatureWidth;

        std::vector<double> barX{barsLeft};
        juce::int64 ticks = 0;

        for (int b = system.firstBar; b <= system.lastBar(); ++b)
            ticks += score.findBar (b)->length;

        for (int b = system.firstBar; b <= system.lastBar(); ++b)
            barX.push_back (barX.back() + (box.right - barsLeft) * score.findBar (b)->length / static_cast<double> (std::max<juce::int64> (1, ticks)));

        for (int i = 0; i < box.staffCount; ++i)
        {
            const auto& staff = *staves[static_cast<size_t> (i)];
            const auto top = box.staffTop (i);

            for (int l = 0; l < 5; ++l)
                canvas.line (music, top + l * s, box.right, top + l * s, 0.5);

            const auto name = firstOfScore || staff.shortName.isEmpty() ? staff.fullName : staff.shortName;
            canvas.text (name, music - 6.0, top + 2.5 * s, std::min (9.0, 1.9 * s), false, 1.0);
            canvas.text (trebles[static_cast<size_t> (i)] ? "G" : "F", music + 0.6 * s, top + (trebles[static_cast<size_t> (i)] ? 3.4 : 2.8) * s, 2.6 * s, true);
            printSignature (key, i, box, music + 3.0 * s);

            for (const auto x : barX)
                canvas.line (x, top, x, top + 4.0 * s, 0.8);

            for (int b = system.firstBar; b <= system.lastBar(); ++b)
                printBar (staff, b, i, box, barX[static_cast<size_t> (b - system.firstBar)], barX[static_cast<size_t> (b - system.firstBar + 1)]);
        }

        for (int b = system.firstBar; b <= system.lastBar(); ++b)
        {
            const auto x = barX[static_cast<size_t> (b - system.firstBar)];
            canvas.text (juce::String (score.findBar (b)->externalNumber), x + 1.0, box.top - 1.2 * s, 1.6 * s);
        }

        canvas.line (music, box.top, music, box.bottomLine (box.staffCount - 1), 1.0);
    }

private:
    static bool isTreble (const Staff& staff)
    {
        long sum = 0;
        long count = 0;

        for (const auto& bar : staff.bars)
            for (const auto& group : bar.noteGroups)
                for (const auto& note : group.notes)
                {
                    sum += note.pitch;
                    ++count;
                }

        if (count == 0)
        {
            // No notes to go by: low instruments read the bass clef.
            const auto kind = (staff.styleId + " " + staff.fullName).toLowerCase();

            for (const auto* low : {"bass", "cello", "bassoon", "tuba", "trombone", "timpani"})
                if (kind.contains (low))
                    return false;

            return true;
        }

        return sum / count >= 57;
    }

    music::Key keyAt (int bar) const
    {
        const auto* key = score.keyAt (bar, 0);
        return key != nullptr ? music::Key{key->fifths, key->major} : music::Key{};
    }

    double stepY (int diatonic, int staffIndex, const SystemBox& box) const
    {
        const auto bottom = trebles[static_cast<size_t> (staffIndex)] ? trebleBottom : bassBottom;
        return box.bottomLine (staffIndex) - (diatonic - bottom) * box.space / 2.0;
    }

    void printSignature (const music::Key& key, int staffIndex, const SystemBox& box, double x)
    {
        // Sharps enter F C G D A E B, flats B E A D G C F; each on its usual line or space.
        static const int sharpSteps[] = {7 * 6 + music::F, 7 * 6 + music::C, 7 * 6 + music::G, 7 * 6 + music::D,
                                         7 * 5 + music::A, 7 * 6 + music::E, 7 * 5 + music::B};
        static const int flatSteps[] = {7 * 5 + music::B, 7 * 6 + music::E, 7 * 5 + music::A, 7 * 6 + music::D,
                                        7 * 5 + music::G, 7 * 6 + music::C, 7 * 5 + music::F};
        const auto shift = trebles[static_cast<size_t> (staffIndex)] ? 0 : -14;

        for (int i = 0; i < std::min (7, std::abs (key.fifths)); ++i)
        {
            const auto step = (key.fifths > 0 ? sharpSteps : flatSteps)[i] + shift;
            canvas.text (accidentalSign (key.fifths > 0 ? 1 : -1), x + i * box.space, stepY (step, staffIndex, box) + 0.5 * box.space, 1.8 * box.space);
        }
    }

    void printBar (const Staff& staff, int barNumber, int staffIndex, const SystemBox& box, double left, double right)
    {
        const auto& s = box.space;
        const auto* bar = score.findBar (barNumber);
        const auto width = right - left - 2.0 * s;
        const auto key = keyAt (barNumber);

        for (const auto& chord : score.chordSymbols)
            if (chord.staff == staff.number && chord.bar == barNumber)
                canvas.text (chord.name, left + s + width * chord.position / bar->length, box.staffTop (staffIndex) - 2.6 * s, 1.5 * s, true);

        for (const auto* item : score.itemsIn ({}, staff.number, barNumber, barNumber))
            if (item->staff == staff.number && item->text.isNotEmpty())
                canvas.text (item->text, left + s + width * item->position / bar->length, box.staffTop (staffIndex) - 1.0 * s, 1.3 * s);

        const auto* content = staff.findBar (barNumber);

        if (content == nullptr)
            return;

        for (const auto& group : content->noteGroups)
        {
            const auto x = left + 1.5 * s + width * group.position / bar->length;

            for (const auto& note : group.notes)
            {
                const auto spelled = note.diatonicPitch ? music::SpelledPitch::onStep (*note.diatonicPitch, note.pitch) : key.spell (note.pitch);
                const auto step = spelled.diatonic();
                const auto y = stepY (step, staffIndex, box);
                const auto bottom = trebles[static_cast<size_t> (staffIndex)] ? trebleBottom : bassBottom;

                // Ledger lines below and above the staff.
                for (int ledger = bottom - 2; ledger >= step; ledger -= 2)
                    canvas.line (x - 1.1 * s, stepY (ledger, staffIndex, box), x + 1.1 * s, stepY (ledger, staffIndex, box), 0.6);

                for (int ledger = bottom + 10; ledger <= step; ledger += 2)
                    canvas.line (x - 1.1 * s, stepY (ledger, staffIndex, box), x + 1.1 * s, stepY (ledger, staffIndex, box), 0.6);

                if (spelled.alter != key.alterOf (spelled.letter))
                    canvas.text (accidentalSign (spelled.alter), x - 2.2 * s, y + 0.5 * s, 1.6 * s);

                canvas.noteHead (x, y, s, group.duration >= 2 * ticksPerQuarter);
            }
        }
    }

    const ScoreDocument& score;
    const std::vector<const Staff*>& staves;
    PdfCanvas& canvas;
    std::vector<bool> trebles;
};

juce::String displayTitle (const ScoreDocument& score, const PdfRequest& request)
{
    if (request.title.isNotEmpty())
        return request.title;

    const auto title = score.title.endsWithIgnoreCase (".sib") ? score.title.dropLastCharacters (4) : score.title;
    return title.isNotEmpty() ? title : juce::String ("Untitled");
}
} // namespace

PdfOutcome writePdf (const ScoreDocument& score, const PdfRequest& request)
{
    PdfOutcome outcome;
    std::vector<const Staff*> staves;

    if (request.partName.isNotEmpty())
    {
        const auto part = std::find_if (score.parts.begin(), score.parts.end(), [&] (const Part& p)
                                        { return p.name == request.partName; });

        if (part == score.parts.end())
        {
            outcome.result = juce::Result::fail ("the score has no part \"" + request.partName + "\"");
            return outcome;
        }

        for (const auto number : part->staves)
            if (const auto* staff = score.findStaff (number))
                staves.push_back (staff);
    }
    else
    {
        for (const auto& staff : score.staves)
            staves.push_back (&staff);
    }

    if (staves.empty() || score.bars.empty())
    {
        outcome.result = juce::Result::fail ("nothing to print: no staves or no bars");
        return outcome;
    }

    const auto staffCount = static_cast<int> (staves.size());
    const auto usable = pageHeight - 2.0 * margin - titleHeight - footerHeight;
    const auto systemsPerPage = juce::jlimit (1, 8, static_cast<int> (usable / (staffCount * 9.0 * 5.0 + 20.0)));
    const auto pages = score.layoutOrDefault (systemsPerPage);
    const auto title = displayTitle (score, request);

    for (const auto& page : pages)
    {
        const auto problem = page.checkSystems();

        if (problem.isNotEmpty() || score.findBar (page.firstBar) == nullptr || score.findBar (page.lastBar()) == nullptr)
        {
            outcome.result = juce::Result::fail ("the layout does not fit the score: page at bar " + juce::String (page.firstBar)
                                                 + (problem.isNotEmpty() ? ": " + problem : juce::String()));
            return outcome;
        }
    }

    juce::TemporaryFile temp (request.file);
    {
        PdfCanvas canvas (temp.getFile());
        canvas.setTitle (request.partName.isNotEmpty() ? title + " - " + request.partName : title);
        ScorePrinter printer (score, staves, canvas);

        for (size_t p = 0; p < pages.size(); ++p)
        {
            auto top = margin;

            if (p == 0)
            {
                canvas.text (title, pageWidth / 2.0, top + 24.0, 20.0, true, 0.5);

                if (request.partName.isNotEmpty())
                    canvas.text (request.partName, pageWidth / 2.0, top + 46.0, 13.0, false, 0.5);
                else
                    canvas.text ("Full score", pageWidth / 2.0, top + 46.0, 11.0, false, 0.5);
            }
            else
            {
                canvas.text (title, margin, top + 10.0, 8.0);
            }

            top += titleHeight;
            const auto& systems = pages[p].systems;
            const auto share = usable / static_cast<double> (std::max<size_t> (1, systems.size()));
            const auto space = juce::jlimit (2.0, 7.0, (share - 20.0) / (staffCount * 9.0));

            for (size_t s = 0; s < systems.size(); ++s)
            {
                const SystemBox box{top + s * share + 16.0, margin, pageWidth - margin, space, staffCount};
                printer.printSystem (systems[s], box, p == 0 && s == 0);
            }

            canvas.text ("Page " + juce::String (static_cast<int> (p) + 1) + " of " + juce::String (static_cast<int> (pages.size())),
                         pageWidth / 2.0, pageHeight - margin / 2.0, 8.0, false, 0.5);
            canvas.showPage();
        }

        if (!canvas.finish())
        {
            outcome.result = juce::Result::fail ("cairo could not write " + temp.getFile().getFullPathName());
            return outcome;
        }
    }

    if (!temp.overwriteTargetFileWithTemporary())
    {
        outcome.result = juce::Result::fail ("cannot replace " + request.file.getFullPathName());
        return outcome;
    }

    outcome.pages = static_cast<int> (pages.size());
    return outcome;
}
} // namespace hostsim::render
