#pragma once

#include "gui/Animation.h"
#include "orv/IOrvana.h"
#include "orv/actions/KeyActions.h"
#include "orv/ui/wizard/WizardPage.h"
#include "products/LatestRequest.h"

namespace orv::wizard
{
/** The plug-in key test, shown in a strip: one frame a second, the test
    message goes to the host plug-in at the first frame, and without a reply
    the test fails at the fifth. Only a successful reply to this attempt's
    message (or the host's "RE_TEST_PLUGIN_KEY" while it waits) counts. */
class WzPageTestCamp final : public WizardPage
{
public:
    enum class State
    {
        idle = 0,
        testing = 1,
        succeeded = 2,
        failed = 3
    };

    static constexpr int frameLimit = 5;
    static inline const juce::String testingText = "Trying to reach Sibelius...";
    static inline const juce::String failedText = "Could not connect";
    static inline const juce::String successText = "Success!";

    /** activateSettings brings the system settings forward (a pending
        permission prompt of the system shows there). */
    WzPageTestCamp (IOrvana& orvana, std::function<void()> activateSettings);

    /** Clears the verification, then tests again from frame 0. */
    void startTest();
    /** One frame of the test: sends the test at frame 1, fails at the limit. */
    void animateFrame();
    /** Sends the test message; its reply counts only for this attempt. */
    void sendTestMessage();
    /** The reply arrived: verified, stored, and the results are asked for. */
    void setSuccess();

    /** The host's "RE_TEST_PLUGIN_KEY": counts as the reply while a sent test waits,
        unless it says the plug-in failed. */
    void handleHostMessage (const juce::String& data);

    State getState() const { return state; }
    int getFrame() const { return frame; }
    const juce::String& getStatusText() const { return statusText; }
    juce::Colour getStatusColour() const { return statusColour; }
    bool isAnimating() const { return animation.isAnimating(); }
    int getFrameIntervalMs() const { return animation.getFrameIntervalMs(); }

    void resized() override;
    void paint (juce::Graphics& g) override;

private:
    void onReply (const juce::var& reply);
    void fail();
    void setStatus (const juce::String& text, juce::Colour colour);
    bool isWaitingForReply() const { return state == State::testing && frame >= 1; }

    IOrvana& orvana;
    std::function<void()> activateSettings;
    State state = State::idle;
    int frame = 0;
    juce::String statusText;
    juce::Colour statusColour;
    gui::Animation animation;
    actions::TestPluginKey testAction;
    LatestRequest tests;
    juce::TextButton tryAgainButton{"Try Again"};
    juce::TextButton continueButton{"Continue"};
};
} // namespace orv::wizard
