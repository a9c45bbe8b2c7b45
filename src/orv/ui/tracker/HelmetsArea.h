#pragma once

#include "orv/model/Track.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <map>
#include <memory>
#include <vector>

namespace orv
{
class IOrvana;
}

namespace orv::tracker
{
class TrackHelmet;

/** The column of track headers left of the lanes: one header per track
    container, level with it, showing the track's name and colour. */
class HelmetsArea final : public juce::Component
{
public:
    struct Header
    {
        juce::String name;
        juce::Colour colour;
        int y = 0;
        int height = 0;
        /** The header's track; with a product set, it gets a TrackHelmet. */
        Track track;
    };

    HelmetsArea();
    ~HelmetsArea() override;

    /** With the product, each header with a track shows a TrackHelmet
        (name, mute, solo, properties panel) over its row. */
    void setOrvana (IOrvana& orvanaToUse);
    /** The helmet of the staff, or null. */
    TrackHelmet* getHelmet (int staffNum) const;

    void setHeaders (std::vector<Header> newHeaders);
    const std::vector<Header>& getHeaders() const { return headers; }

    void paint (juce::Graphics& g) override;

private:
    void placeHelmets();

    std::vector<Header> headers;
    IOrvana* orvana = nullptr;
    std::map<int, std::unique_ptr<TrackHelmet>> helmets;
};
} // namespace orv::tracker
