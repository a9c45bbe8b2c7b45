#pragma once

#include "orv/model/Curve2.h"
#include "orv/pref/OrvState.h"
#include "orv/ui/tracker/tempo/TempoMaths.h"
#include "orv/ui/tracker/timePort/TimeCanvas.h"

#include <map>
#include <memory>
#include <optional>

namespace orv
{
class IOrvana;
}

namespace orv::tracker::tempo
{
class TempoLane;
class TempoTool;

/** A tempo mark of the score on the lane: a flag at the mark's poser with
    its label; a muted mark is drawn hollow and dim, apart from the curve. */
class TempoMarkElem final : public timePort::TcObject
{
public:
    static constexpr float width = 9.0f;
    static constexpr float flagHeight = 12.0f;

    explicit TempoMarkElem (CurvePoint point);

    CurvePoint getPoint() const { return point; }

    juce::Rectangle<float> getViewBounds (const timePort::TimeCanvas& canvas) const override;
    void paint (juce::Graphics& g, const timePort::TimeCanvas& canvas) const override;

private:
    CurvePoint point;
};

/** The tempo curve over the time axis: the stepped and ramped curve, the
    score's tempo marks, and the erase zone while an erase gesture runs.
    Gestures go to the tool. The lane follows the score: any change of the
    tempo curve (an edit, a reply, a reload) repaints it once, and the marks
    are rebuilt from the curve. */
class TempoLane final : public timePort::TimeCanvas,
                        private juce::ValueTree::Listener,
                        private juce::AsyncUpdater
{
public:
    /** Pixels above and below the drawable band. */
    static constexpr float margin = 8.0f;

    TempoLane (timePort::ITimePort& port, IOrvana& orvana);
    ~TempoLane() override;

    /** Rebuilds the marks from the curve: one TempoMarkElem per point of type "M". */
    void loadState();
    void addTempoMark (const CurvePoint& point);
    void removeTempoMark (const CurvePoint& point);
    int getNumTempoMarks() const { return static_cast<int> (marks.size()); }

    /** The view position of a curve point, when its bar exists and the lane has a scale. */
    std::optional<juce::Point<float>> getViewCoordsForPointOp (const CurvePoint& point) const;
    /** The tempo at a view y; empty on a lane too short to draw in. */
    std::optional<double> viewYToVal (int y) const;
    TempoScale getScale() const;

    /** The mark drawn under a view position, found by poser; null when none. */
    TempoMarkElem* findMarkAt (juce::Point<float> position) const;

    void setTool (TempoTool* tool);
    TempoTool* getTool() const { return tool; }

    Curve2 getCurve() const;
    OrvTempoState getTempoState() const { return tempoState; }
    IOrvana& getOrvana() const { return orvana; }

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    using MarkKey = std::pair<int, int>;

    void paintCurve (juce::Graphics& g, const TempoScale& scale) const;
    void paintMarks (juce::Graphics& g) const;
    /** The posers at the lane's left and right edges, clamped to the score. */
    std::pair<Poser, Poser> visiblePosers (float fromX, float toX) const;

    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier&) override;
    void valueTreeChildAdded (juce::ValueTree& parent, juce::ValueTree&) override;
    void valueTreeChildRemoved (juce::ValueTree& parent, juce::ValueTree&, int) override;
    void curveTreeChanged (const juce::ValueTree& tree);
    void handleAsyncUpdate() override;

    IOrvana& orvana;
    juce::ValueTree scoreTree;
    OrvTempoState tempoState;
    /** Listeners belong to a tree object: this one lives as long as the lane. */
    juce::ValueTree tempoTree;
    std::map<MarkKey, std::unique_ptr<TempoMarkElem>> marks;
    TempoTool* tool = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TempoLane)
};
} // namespace orv::tracker::tempo
