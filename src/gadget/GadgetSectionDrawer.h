#pragma once

#include "gadget/GadgetChoiceRow.h"
#include "gui/PropertyBinding.h"
#include "ui/CheckBox.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

/** The content of an options drawer: a heading over titled sections of
    options, each option bound to a property of a state tree. A product
    declares its options and the drawer lays them out, top to bottom:

        drawer.setHeading ("OPTIONS");
        auto& beams = drawer.addSection ("BEAMS");
        beams.addChoice (state, "beams", {{"Beams2", "2"}, {"Beams3", "3"}, {"Beams4", "4"}}, "Beams4");
        auto& text = drawer.addSection ("TEXT");
        text.addToggle ("Gliss.", state, "writeGlissWord", false);
        text.addNote ("Writes the word above the line.");

    A section can show only while a property has a certain value. */
class GadgetSectionDrawer : public juce::Component
{
public:
    static constexpr int margin = 10;
    static constexpr int topMargin = 5;
    static constexpr int headingHeight = 18;
    static constexpr int titleHeight = 16;
    static constexpr int rowGap = 4;
    static constexpr int sectionGap = 8;
    static constexpr int toggleHeight = 22;
    static constexpr int noteHeight = 40;

    /** One titled group of options. */
    class Section final : public juce::Component
    {
    public:
        explicit Section (const juce::String& title);
        ~Section() override;

        /** A check box bound to a boolean property. */
        ui::CheckBox& addToggle (const juce::String& label, juce::ValueTree tree, const juce::Identifier& property,
                                 bool defaultValue = false, juce::UndoManager* undoManager = nullptr);
        /** A row of choices bound to a property holding the chosen value; columns 0 puts them on one line. */
        GadgetChoiceRow& addChoice (juce::ValueTree tree, const juce::Identifier& property, std::vector<GadgetChoiceRow::Choice> choices,
                                    const juce::var& defaultValue, int columns = 0, juce::UndoManager* undoManager = nullptr);
        /** Explanatory text in a small face, up to three lines in the given height. */
        void addNote (const juce::String& text, int height = noteHeight);
        /** Any other control (borrowed), given the full width and this height. */
        void addComponent (juce::Component& component, int height);

        /** Shows the section only while shouldShow (the property, defaultValue while it is absent) is true. */
        void showOnlyWhen (juce::ValueTree tree, const juce::Identifier& property, std::function<bool (const juce::var&)> shouldShow,
                           const juce::var& defaultValue = {});

        const juce::String& getTitle() const { return title; }
        /** The height the title and the rows need. */
        int getPreferredHeight() const;

        void paint (juce::Graphics& g) override;
        void resized() override;

    private:
        friend class GadgetSectionDrawer;

        struct Row
        {
            juce::Component* component;
            int height;
        };

        void addRow (juce::Component& component, int height);
        void updateVisibility();

        juce::String title;
        std::vector<Row> rows;
        std::vector<std::unique_ptr<juce::Component>> ownedRows;
        gui::PropertyBinding visibility;
        std::function<bool (const juce::var&)> visibleWhen;
        std::function<void()> onLayoutChanged;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Section)
    };

    explicit GadgetSectionDrawer (const juce::String& heading = {});
    ~GadgetSectionDrawer() override;

    void setHeading (const juce::String& text);
    const juce::String& getHeading() const { return heading; }

    /** A new section below the others; an empty title shows no title line. */
    Section& addSection (const juce::String& title = {});
    int getNumSections() const { return static_cast<int> (sections.size()); }
    Section& getSection (int index) { return *sections[static_cast<size_t> (index)]; }

    /** The height the heading and the shown sections need. */
    int getContentHeight() const;

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    juce::String heading;
    std::vector<std::unique_ptr<Section>> sections;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GadgetSectionDrawer)
};
