#pragma once

#include "orv/actions/CurveActions.h"
#include "orv/model/Track.h"
#include "orv/ui/tracker/au/AuNodePanel.h"
#include "orv/ui/tracker/au/LaneScale.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace orv::tracker
{
namespace timePort
{
class ITimePort;
}

namespace au
{
/** One controller or pitch-bend lane of one track. It draws the track's
    curve of that controller and turns gestures into edits of the curve:
    the model changes at once while the mouse moves, and the host is sent
    one action when the button comes up.

    The left button draws (ramps on the sixteenth grid; jumps at the exact
    tick with Shift), a right-click or Ctrl-click erases for the gesture,
    and a click on the value tag opens the node panel. Nodes are always
    found by poser (binary search in the curve), never by walking it. */
class AuLane final : public juce::Component,
                     private juce::ValueTree::Listener
{
public:
    enum class Tool
    {
        draw = 0,
        erase = 1,
        tag = 2
    };

    static constexpr float nodeSize = 6.0f;
    static constexpr float haloSize = 12.0f;
    /** Sixteenth notes: the grid plain drawing puts its nodes on. */
    static constexpr int drawGridTicks = 64;
    /** How near (pixels) the pointer must come to a node to hover it. */
    static constexpr float hoverReach = 6.0f;

    AuLane (timePort::ITimePort& port, Track track, int controller, juce::Colour colour);
    ~AuLane() override;

    /** Follows the track's new tree after a reload; a gesture in progress is dropped. */
    void setTrack (Track newTrack);
    void setColour (juce::Colour newColour);
    Track getTrack() const { return track; }
    int getController() const { return controller; }
    /** The track's curve of this lane's controller; invalid while the track has none. */
    Curve getCurve() const { return track.getCurve (controller); }

    void extMouseDown (const juce::MouseEvent& e);
    void extMouseDrag (const juce::MouseEvent& e);
    void extMouseUp (const juce::MouseEvent& e);
    void extMouseMove (const juce::MouseEvent& e);
    void extMouseEnter (const juce::MouseEvent& e);

    void setTool (Tool newTool);
    Tool getTool() const { return tool; }

    /** Adds or updates the node under the pointer (draw tool). */
    void insertOrUpdate (const juce::MouseEvent& e);
    /** Widens the erase zone to the pointer and removes the nodes inside it. */
    void erase (const juce::MouseEvent& e);
    /** Removes the nodes strictly between two posers (given in either order). */
    void cleanNodesExcl (Poser from, Poser to);
    /** Sends the pending draw action, if any, and drops it. */
    void sendEditCurveMessage();

    /** Opens "Edit node" for the hovered node. */
    void showNodePanel();
    /** Reads the panel's text into the node (nothing while the text is not a number). */
    void onNodePanelPreSubmit();
    /** Writes the panel's value and sends the node to the score, then closes the panel. */
    void onNodePanelSubmit();
    void closeNodePanel();
    AuNodePanel* getNodePanel() const { return nodePanel.get(); }

    /** Moves the value tag to the hovered node and shows its value (hidden while erasing or without one). */
    void updateTag();
    juce::Component& getTag();
    Node getHoveredNode() const { return hovered; }

    /** Whether pitch bend runs on the NotePerformer scale (0..1023). */
    bool isPitchBendNp() const;
    LaneScale getScale() const;
    bool isGestureInProgress() const { return pendingDraw.get() != nullptr || pendingErase.get() != nullptr; }

    /** The pointer's poser as drawing uses it: nothing before the score, the
        score's last poser past its end, truncated to the sixteenth grid
        unless exact. */
    std::optional<Poser> pointerPoser (float x, bool exact) const;

    void paint (juce::Graphics& g) override;
    void drawCurve (juce::Graphics& g, juce::Rectangle<float> clip);
    void drawNode (juce::Graphics& g, const Node& node, float x, float y);
    void drawLeftWing (juce::Graphics& g, juce::Path& trace, float firstX, float firstY, Node::Type firstType);
    void drawRightWing (juce::Graphics& g, juce::Path& trace, float lastX, float lastY);
    void drawPassingPath (juce::Graphics& g);

    void mouseDown (const juce::MouseEvent& e) override { extMouseDown (e); }
    void mouseDrag (const juce::MouseEvent& e) override { extMouseDrag (e); }
    void mouseUp (const juce::MouseEvent& e) override { extMouseUp (e); }
    void mouseMove (const juce::MouseEvent& e) override { extMouseMove (e); }
    void mouseEnter (const juce::MouseEvent& e) override { extMouseEnter (e); }

private:
    class ValueTag;

    float nodeX (const Node& node) const;
    float nodeY (const Node& node, const LaneScale& scale) const;
    Node findNodeNear (float x) const;
    void setHovered (Node node);
    void repaintAround (const Poser& poser);
    bool isMyCurveTree (const juce::ValueTree& tree) const;
    static bool holdsCurvesOrWings (const juce::ValueTree& tree);

    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier&) override;
    void valueTreeChildAdded (juce::ValueTree& parent, juce::ValueTree& child) override;
    void valueTreeChildRemoved (juce::ValueTree& parent, juce::ValueTree& child, int) override;
    void valueTreeRedirected (juce::ValueTree&) override { repaint(); }

    timePort::ITimePort& port;
    Track track;
    juce::ValueTree trackTree;
    const int controller;
    juce::Colour colour;
    Tool tool = Tool::draw;

    actions::PendingEdit<actions::EditCurve> pendingDraw;
    actions::PendingEdit<actions::EraseCurve> pendingErase;
    Poser previousDragPoser;
    Poser eraseFrom, eraseTo;
    Node hovered;
    std::unique_ptr<ValueTag> tag;
    std::unique_ptr<AuNodePanel> nodePanel, retiredPanel;
    Node panelNode;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AuLane)
};
} // namespace au
} // namespace orv::tracker
