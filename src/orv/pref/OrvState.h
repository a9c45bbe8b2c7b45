#pragma once

#include "orv/model/CurvePoint.h"
#include "orv/pref/TempoBpmViewRange.h"

#include <juce_data_structures/juce_data_structures.h>

namespace orv
{
/** The tracker window's state ("TRACKER_STATE"). */
class OrvTrackerState final
{
public:
    OrvTrackerState() = default;
    explicit OrvTrackerState (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    juce::ValueTree getState() const { return state; }

    /** Adds the missing properties with their defaults. */
    void ensureDefaults();

    int getActiveAuLaneId() const;
    void setActiveAuLaneId (int laneId);
    int getPointerSnapTicks() const;
    void setPointerSnapTicks (int ticks);
    int getPhantomSnapTicks() const;
    void setPhantomSnapTicks (int ticks);
    bool getVelConShown() const;
    void setVelConShown (bool shown);
    bool getOpenNearMouse() const;
    void setOpenNearMouse (bool nearMouse);
    juce::String getWinNormalStateBounds() const;
    void setWinNormalStateBounds (const juce::String& bounds);
    /** "maximized" or "normal". */
    juce::String getWindowState() const;
    void setWindowState (const juce::String& windowState);
    /** The window's placement as the toolkit writes it. */
    juce::String getWinState() const;
    void setWinState (const juce::String& placement);
    int getWindowWidth() const;
    void setWindowWidth (int width);
    int getWindowHeight() const;
    void setWindowHeight (int height);
    double getVerticalZoom() const;
    void setVerticalZoom (double zoom);

private:
    juce::ValueTree state;
};

/** The tempo lane's snap grid ("SNAPPING"). */
class OrvTempoSnapping final
{
public:
    OrvTempoSnapping() = default;
    explicit OrvTempoSnapping (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    juce::ValueTree getState() const { return state; }

    bool isEnabled() const;
    void setEnabled (bool enabled);
    int getTicks() const;
    void setTicks (int ticks);

    /** The grid a drawn point snaps to: the ticks when enabled (1 for 0), else 1. */
    int getGridTicks() const;

    /** Sets the grid from a snap menu id: "off" disables it, any other id is the ticks. */
    void utilSetTicksWithOff (const juce::String& id);
    /** The snap menu id of the grid: "off" when disabled, else the ticks. */
    juce::String utilGetTicksWithOff() const;

private:
    juce::ValueTree state;
};

/** The tempo lane's state ("TEMPO_STATE"). */
class OrvTempoState final
{
public:
    enum class Show
    {
        hidden,
        shown
    };

    /** "showTempo" is shown; anything else hidden. */
    static Show Show_fromString (const juce::String& text);
    static juce::String Show_toString (Show show);

    OrvTempoState() = default;
    explicit OrvTempoState (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    juce::ValueTree getState() const { return state; }

    /** Adds the missing properties and children with their defaults. */
    void ensureDefaults();

    Show getShow() const;
    void setShow (Show show);
    bool isShown() const { return getShow() == Show::shown; }

    ReachShape getNodeReachShape() const;
    void setNodeReachShape (ReachShape shape);

    bool getChompMode() const;
    void setChompMode (bool chomp);

    TempoBpmViewRange getBpmViewRange() const;
    void setBpmViewRange (const TempoBpmViewRange& range);
    /** Moves the upper end of the view range, keeping it 20 bpm above the lower one. */
    void utilSetUpperBpm (double bpm);
    /** Moves the lower end of the view range, keeping it 20 bpm below the upper one. */
    void utilSetLowerBpm (double bpm);

    OrvTempoSnapping getSnapping();

    int getToggleSizePosition() const;
    void setToggleSizePosition (int position);

private:
    juce::ValueTree state;
};

/** The editor's horizontal view ("EDITOR_VIEWPORT_STATE"). */
class OrvEditorViewportState final
{
public:
    OrvEditorViewportState() = default;
    explicit OrvEditorViewportState (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    juce::ValueTree getState() const { return state; }

    void ensureDefaults();

    double getScrollDocX() const;
    void setScrollDocX (double ticks);
    double getZoomX() const;
    void setZoomX (double pixelsPerTick);

private:
    juce::ValueTree state;
};

/** Orvana's state ("ORV_STATE", stored as "orv-state.xml"): the window and
    editor state that changes as the user works. */
class OrvState final
{
public:
    static constexpr const char* fileName = "orv-state.xml";

    OrvState();
    explicit OrvState (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    juce::ValueTree getState() const { return state; }
    /** Replaces the tree (after reading the file). */
    void setState (juce::ValueTree tree) { state = std::move (tree); }

    /** Adds the missing properties and children, with their defaults, throughout. */
    void ensureDefaults();

    bool getWelcomeWizardFinished() const;
    void setWelcomeWizardFinished (bool finished);

    /** Each child is created with its defaults when missing. */
    OrvTrackerState getOrCreateTrackerState();
    OrvTempoState getOrCreateTempoState();
    OrvEditorViewportState getOrCreateEditorViewportState();

private:
    juce::ValueTree state;
};
} // namespace orv
