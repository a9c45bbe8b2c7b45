#include "orv/ui/wizard/WzPageTestCamp.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "products/HostReply.h"
#include "utils/JsonParser.h"

namespace orv::wizard
{
WzPageTestCamp::WzPageTestCamp (IOrvana& product, std::function<void()> activate)
    : orvana (product)
    , activateSettings (std::move (activate))
    , tests (product.getProductActionSender())
{
    animation.onFrame = [this]
    { animateFrame(); };
    addButton (tryAgainButton, [this]
               { startTest(); });
    addButton (continueButton, MessageType::showResults);
    tryAgainButton.setVisible (false);
    continueButton.setVisible (false);
}

void WzPageTestCamp::startTest()
{
    tests.cancel();
    orvana.getPreferences().setPluginKeyValidated (false);
    orvana.savePreferences();

    state = State::testing;
    setStatus (testingText, gfx::colours::yellow);
    frame = 0;
    animation.startAnimation (1.0);
    tryAgainButton.setVisible (false);
    continueButton.setVisible (false);
}

void WzPageTestCamp::animateFrame()
{
    if (state != State::testing)
        return;

    ++frame;

    if (frame == 1)
        sendTestMessage();

    if (activateSettings)
        activateSettings();

    if (frame >= frameLimit)
        fail();
}

void WzPageTestCamp::sendTestMessage()
{
    tests.send (testAction, [this] (const juce::var& reply)
                { onReply (reply); });
}

void WzPageTestCamp::onReply (const juce::var& reply)
{
    // A null reply (no such method) or a failure proves nothing.
    if (isWaitingForReply() && HostReply (reply).succeeded())
        setSuccess();
}

void WzPageTestCamp::handleHostMessage (const juce::String& data)
{
    if (!isWaitingForReply())
        return;

    const auto parsed = utils::json::parse (data);

    if (parsed.isObject() && parsed.hasProperty (HostReply::success) && !HostReply (parsed).succeeded())
        return;

    setSuccess();
}

void WzPageTestCamp::setSuccess()
{
    tests.cancel();
    animation.stopAnimation();
    frame = frameLimit;
    state = State::succeeded;
    setStatus (successText, gfx::colours::lightGreen);
    orvana.getPreferences().setPluginKeyValidated (true);
    orvana.savePreferences();
    send (MessageType::showResults);
}

void WzPageTestCamp::fail()
{
    // A reply after this is stale: the test is over.
    tests.cancel();
    animation.stopAnimation();
    state = State::failed;
    setStatus (failedText, gfx::colours::orange);
    tryAgainButton.setVisible (true);
    continueButton.setVisible (true);
}

void WzPageTestCamp::setStatus (const juce::String& text, juce::Colour colour)
{
    statusText = text;
    statusColour = colour;
    repaint();
}

void WzPageTestCamp::resized()
{
    auto area = getLocalBounds().reduced (margin / 2);
    const auto buttonY = area.getCentreY() - buttonHeight / 2;
    continueButton.setBounds (area.getRight() - 100, buttonY, 100, buttonHeight);
    tryAgainButton.setBounds (continueButton.getX() - 108, buttonY, 100, buttonHeight);
}

void WzPageTestCamp::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::panel);
    auto area = getLocalBounds().reduced (margin, margin / 2);

    // One dot per frame so far, up to the limit.
    auto dots = area.removeFromBottom (12);
    for (int i = 0; i < frameLimit; ++i)
    {
        g.setColour (i < frame ? statusColour : gfx::colours::dim);
        g.fillEllipse (dots.removeFromLeft (12).toFloat().reduced (2.0f));
        dots.removeFromLeft (4);
    }

    g.setColour (statusColour);
    gfx::setFont (g, gfx::font::headingLarge);
    g.drawText (statusText, area.withTrimmedRight (220), juce::Justification::centredLeft, true);
}
} // namespace orv::wizard
