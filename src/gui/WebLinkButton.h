#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** A text link that opens a web page: a base address (the application's web
    site) with reference values appended as query parameters. */
class WebLinkButton final : public juce::Component
{
public:
    /** Opens an address; returns whether it could. Tests put their own in. */
    using Launcher = std::function<bool (const juce::URL&)>;

    WebLinkButton (const juce::String& text, const juce::URL& baseAddress);
    ~WebLinkButton() override;

    /** Appends one reference value (a name and its value) to the address. */
    void addUrlRefValue (const juce::String& name, const juce::String& value);

    /** The address a click opens. */
    juce::URL getUrl() const { return url; }

    void setLauncher (Launcher newLauncher) { launcher = std::move (newLauncher); }

    /** Opens the address, as a click does. */
    bool open();

    void paint (juce::Graphics& g) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;

private:
    juce::String label;
    juce::URL url;
    Launcher launcher;
    bool hovered = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WebLinkButton)
};
