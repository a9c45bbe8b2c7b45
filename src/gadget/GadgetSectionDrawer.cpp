#include "gadget/GadgetSectionDrawer.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace
{
/** Explanatory text under an option. */
class Note final : public juce::Component
{
public:
    explicit Note (const juce::String& textToShow)
        : text (textToShow)
    {
        setInterceptsMouseClicks (false, false);
    }

    void paint (juce::Graphics& g) override
    {
        gfx::setFont (g, gfx::font::small);
        g.setColour (juce::Colours::white.withAlpha (0.75f));
        g.drawFittedText (text, getLocalBounds(), juce::Justification::topLeft, 3);
    }

private:
    juce::String text;
};
} // namespace

//==============================================================================
GadgetSectionDrawer::Section::Section (const juce::String& titleText)
    : title (titleText)
{
    visibility.onChange = [this]
    { updateVisibility(); };
}

GadgetSectionDrawer::Section::~Section() = default;

void GadgetSectionDrawer::Section::addRow (juce::Component& component, int height)
{
    rows.push_back ({&component, height});
    addAndMakeVisible (component);
    resized();

    if (onLayoutChanged)
        onLayoutChanged();
}

ui::CheckBox& GadgetSectionDrawer::Section::addToggle (const juce::String& label, juce::ValueTree tree, const juce::Identifier& property,
                                                       bool defaultValue, juce::UndoManager* undoManager)
{
    auto box = std::make_unique<ui::CheckBox> (label);
    box->bind (std::move (tree), property, defaultValue, undoManager);
    auto& result = *box;
    ownedRows.push_back (std::move (box));
    addRow (result, toggleHeight);
    return result;
}

GadgetChoiceRow& GadgetSectionDrawer::Section::addChoice (juce::ValueTree tree, const juce::Identifier& property, std::vector<GadgetChoiceRow::Choice> choices,
                                                          const juce::var& defaultValue, int columns, juce::UndoManager* undoManager)
{
    auto row = std::make_unique<GadgetChoiceRow> (std::move (choices), columns);
    row->bind (std::move (tree), property, defaultValue, undoManager);
    auto& result = *row;
    ownedRows.push_back (std::move (row));
    addRow (result, result.getPreferredHeight());
    return result;
}

void GadgetSectionDrawer::Section::addNote (const juce::String& text, int height)
{
    ownedRows.push_back (std::make_unique<Note> (text));
    addRow (*ownedRows.back(), height);
}

void GadgetSectionDrawer::Section::addComponent (juce::Component& component, int height)
{
    addRow (component, height);
}

void GadgetSectionDrawer::Section::showOnlyWhen (juce::ValueTree tree, const juce::Identifier& property, std::function<bool (const juce::var&)> shouldShow,
                                                 const juce::var& defaultValue)
{
    visibleWhen = std::move (shouldShow);
    visibility.bind (std::move (tree), property, defaultValue);
}

void GadgetSectionDrawer::Section::updateVisibility()
{
    const auto shown = visibleWhen == nullptr || visibleWhen (visibility.get());

    if (shown == isVisible())
        return;

    setVisible (shown);

    if (onLayoutChanged)
        onLayoutChanged();
}

int GadgetSectionDrawer::Section::getPreferredHeight() const
{
    auto height = title.isNotEmpty() ? titleHeight : 0;

    for (const auto& row : rows)
        height += row.height + rowGap;

    return rows.empty() ? height : height - rowGap;
}

void GadgetSectionDrawer::Section::paint (juce::Graphics& g)
{
    if (title.isEmpty())
        return;

    gfx::setFont (g, gfx::font::caption);
    g.setColour (gfx::colours::text);
    g.drawText (title, getLocalBounds().removeFromTop (titleHeight), juce::Justification::centredLeft, true);
}

void GadgetSectionDrawer::Section::resized()
{
    auto area = getLocalBounds();

    if (title.isNotEmpty())
        area.removeFromTop (titleHeight);

    for (const auto& row : rows)
    {
        row.component->setBounds (area.removeFromTop (row.height));
        area.removeFromTop (rowGap);
    }
}

//==============================================================================
GadgetSectionDrawer::GadgetSectionDrawer (const juce::String& headingText)
    : heading (headingText)
{
}

GadgetSectionDrawer::~GadgetSectionDrawer() = default;

void GadgetSectionDrawer::setHeading (const juce::String& text)
{
    heading = text;
    resized();
    repaint();
}

GadgetSectionDrawer::Section& GadgetSectionDrawer::addSection (const juce::String& title)
{
    sections.push_back (std::make_unique<Section> (title));
    auto& section = *sections.back();
    section.onLayoutChanged = [this]
    {
        resized();
        repaint();
    };
    addAndMakeVisible (section);
    resized();
    return section;
}

int GadgetSectionDrawer::getContentHeight() const
{
    auto y = topMargin;

    if (heading.isNotEmpty())
        y += headingHeight + rowGap;

    auto gapAbove = 0;

    for (const auto& section : sections)
    {
        if (!section->isVisible())
            continue;

        y += gapAbove + section->getPreferredHeight();
        gapAbove = sectionGap;
    }

    return y + topMargin;
}

void GadgetSectionDrawer::paint (juce::Graphics& g)
{
    if (heading.isEmpty())
        return;

    gfx::setFont (g, gfx::font::heading);
    g.setColour (juce::Colours::white);
    g.drawText (heading, getLocalBounds().reduced (margin, 0).withTrimmedTop (topMargin).removeFromTop (headingHeight),
                juce::Justification::centredLeft, false);
}

void GadgetSectionDrawer::resized()
{
    auto area = getLocalBounds().reduced (margin, topMargin);

    if (heading.isNotEmpty())
        area.removeFromTop (headingHeight + rowGap);

    for (const auto& section : sections)
    {
        if (!section->isVisible())
            continue;

        section->setBounds (area.removeFromTop (section->getPreferredHeight()));
        area.removeFromTop (sectionGap);
    }
}
