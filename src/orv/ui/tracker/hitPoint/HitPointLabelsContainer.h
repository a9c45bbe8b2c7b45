#pragma once

#include "orv/actions/TempoActions.h"
#include "orv/model/HitPointList.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <map>
#include <memory>

namespace orv
{
class IOrvana;
}

namespace orv::tracker::timePort
{
class ITimePort;
}

namespace orv::tracker::hitPoint
{
class HitPointLabelsContainer;

/** A hit point's form: its label text, "Add" (a new one) or "Save", and
    "Delete". Saving sends EditHitPoint with the new label, deleting
    DeleteHitPoint; either closes the form. */
class HitPointForm final : public juce::Component
{
public:
    HitPointForm (HitPointLabelsContainer& owner, int hitPointId, bool isNew);

    /** Fills the field from the hit point's label. */
    void loadForm();
    void save();
    void del();

    int getHitPointId() const { return id; }
    bool isNewHitPoint() const { return isNew; }
    juce::String getTitle() const { return isNew ? "New hit point" : "Edit hit point"; }
    juce::TextEditor& getLabelField() { return labelField; }
    juce::TextButton& getSaveButton() { return saveButton; }
    juce::TextButton& getDeleteButton() { return deleteButton; }

    void paint (juce::Graphics& g) override;
    void resized() override;
    bool keyPressed (const juce::KeyPress& key) override;

private:
    HitPointLabelsContainer& owner;
    int id;
    bool isNew;
    juce::TextEditor labelField;
    juce::TextButton saveButton, deleteButton, closeButton{"x"};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HitPointForm)
};

/** A hit point on the time axis: a marker and its label. Dragging moves it
    along the axis, and the release sends EditHitPoint with the new poser;
    a click without a drag opens its form. */
class HitPointLabel final : public juce::Component
{
public:
    /** Pixels from the label's left edge to its marker. */
    static constexpr int anchorOffset = 5;

    HitPointLabel (HitPointLabelsContainer& owner, HitPoint hitPoint);

    int getHitPointId() const { return id; }
    /** The marker's x in the container. */
    float getViewX() const { return static_cast<float> (getX() + anchorOffset); }
    /** Places the label at its hit point's poser. */
    void place();
    void showHitPointForm();

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    HitPointLabelsContainer& owner;
    int id;
    juce::String text;
    Poser poser;
    int xAtDragStart = 0;
    bool dragged = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HitPointLabel)
};

/** The score's hit points along the time axis, one label each. Follows the
    score's hit-point list (a reply or reload rebuilds the labels once) and
    opens a hit point's form when its "open" turns true. */
class HitPointLabelsContainer final : public juce::Component,
                                      private juce::ValueTree::Listener,
                                      private juce::AsyncUpdater
{
public:
    HitPointLabelsContainer (timePort::ITimePort& port, IOrvana& orvana);
    ~HitPointLabelsContainer() override;

    /** The label a new hit point gets before the user names it: "Hit point" and its number. */
    static juce::String defaultLabelFor (int existingCount);

    /** Builds a label per hit point of the score. */
    void loadInitialState();
    /** Sends AddHitPoint at the poser at once (the ruler's Shift-click); nothing outside the score. */
    void addNewHitPoint (Poser poser);
    void removeHitPointLabel (const HitPoint& hitPoint);

    /** Sends EditHitPoint for a hit point: its label, and the poser when it moved. */
    void updateHitPoint (int id, const juce::String& label, const Poser& movedTo);
    void updateHitPointPoser (int id, const Poser& movedTo);
    void deleteHitPoint (int id);

    /** Opens the form of a hit point; a form already open closes first. */
    void showForm (int id, bool isNew);
    void closeForm();
    HitPointForm* getForm() const { return form.get(); }

    HitPointLabel* findLabel (int id) const;
    int getNumLabels() const { return static_cast<int> (labels.size()); }

    HitPoint getHitPoint (int id) const;
    timePort::ITimePort& getTimePort() const { return port; }

    /** The axis moved: every label follows. */
    void viewChanged();

    void paint (juce::Graphics& g) override;

private:
    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;
    void valueTreeChildAdded (juce::ValueTree& parent, juce::ValueTree& child) override;
    void valueTreeChildRemoved (juce::ValueTree& parent, juce::ValueTree&, int) override;
    void handleAsyncUpdate() override;
    void openFormsAsked();
    void send (WebSocketAction& action);

    timePort::ITimePort& port;
    IOrvana& orvana;
    juce::ValueTree scoreTree;
    std::map<int, std::unique_ptr<HitPointLabel>> labels;
    std::unique_ptr<HitPointForm> form;
    actions::AddHitPoint addAction;
    actions::EditHitPoint editAction;
    actions::DeleteHitPoint deleteAction;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HitPointLabelsContainer)
};
} // namespace orv::tracker::hitPoint
