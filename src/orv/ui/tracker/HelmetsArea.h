#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

namespace orv::tracker
{
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
    };

    void setHeaders (std::vector<Header> newHeaders);
    const std::vector<Header>& getHeaders() const { return headers; }

    void paint (juce::Graphics& g) override;

private:
    std::vector<Header> headers;
};
} // namespace orv::tracker
