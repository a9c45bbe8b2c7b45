#include "orv/ui/config/ConfigWin.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "gui/WizardLayout.h"

namespace orv::config
{
namespace
{
constexpr int buttonWidth = 130;
constexpr int buttonGap = 8;
} // namespace

ConfigWin::Content::Content (Listener& windowListener, IOrvana& product)
    : listener (windowListener)
    , orvana (product)
{
    const auto wire = [this] (juce::TextButton& button, MessageType type)
    {
        button.onClick = [this, type]
        { listener.onConfigMessage (type); };
        addAndMakeVisible (button);
    };

    wire (setKeyButton, MessageType::setPluginKey);
    wire (infoButton, MessageType::info);
    wire (cancelButton, MessageType::cancel);
    addAndMakeVisible (saveButton);
    saveButton.onClick = [this]
    {
        if (onSaveLanes)
            onSaveLanes();

        listener.onConfigMessage (MessageType::save);
    };

    refreshKeyLine();
}

void ConfigWin::Content::setLanePreferences (std::unique_ptr<juce::Component> panel, std::function<void()> saveLanes)
{
    lanes = std::move (panel);
    onSaveLanes = std::move (saveLanes);

    if (lanes != nullptr)
        addAndMakeVisible (*lanes);

    resized();
}

juce::Rectangle<int> ConfigWin::Content::getLaneArea() const
{
    auto area = getLocalBounds().reduced (margin);
    area.removeFromBottom (buttonRowHeight + margin + keyLineHeight + margin);
    return area;
}

void ConfigWin::Content::refreshKeyLine()
{
    const auto& preferences = orvana.getPreferences();
    const auto key = preferences.getPluginKey();
    keyLine = "Plugin key: " + (key.isEmpty() ? juce::String ("not set") : key)
              + (preferences.getPluginKeyValidated() ? " (verified)" : " (not verified)");
    repaint();
}

juce::TextButton* ConfigWin::Content::findButton (const juce::String& text)
{
    for (auto* button : {&setKeyButton, &infoButton, &saveButton, &cancelButton})
        if (button->getButtonText() == text)
            return button;

    return nullptr;
}

void ConfigWin::Content::resized()
{
    if (lanes != nullptr)
        lanes->setBounds (getLaneArea());

    const gui::WizardLayout row (getLocalBounds(), buttonRowHeight, margin);
    row.positionLeftButton (setKeyButton, buttonWidth);
    infoButton.setBounds (setKeyButton.getRight() + buttonGap, row.getButtonRowY(), buttonWidth / 2, buttonRowHeight);
    row.positionRightButton (cancelButton, buttonWidth);
    saveButton.setBounds (cancelButton.getX() - buttonGap - buttonWidth, row.getButtonRowY(), buttonWidth, buttonRowHeight);
}

void ConfigWin::Content::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::panel);

    if (lanes == nullptr)
    {
        g.setColour (gfx::colours::well);
        g.fillRect (getLaneArea());
    }

    g.setColour (gfx::colours::text);
    gfx::setFont (g, gfx::font::text);
    const auto keyArea = getLaneArea().withY (getLaneArea().getBottom() + margin).withHeight (keyLineHeight);
    g.drawText (keyLine, keyArea, juce::Justification::centredLeft, true);
}

//==============================================================================
ConfigWin::ConfigWin (Listener& windowListener, IOrvana& product, const juce::String& appName)
    : juce::DocumentWindow (appName + " - Preferences", gfx::colours::panel, juce::DocumentWindow::closeButton, false)
    , listener (windowListener)
    , content (windowListener, product)
{
    setUsingNativeTitleBar (true);
    setResizable (true, false);
    setResizeLimits (480, 320, 4000, 4000);
    content.setSize (width, height);
    setContentNonOwned (&content, true);
}

ConfigWin::~ConfigWin()
{
    clearContentComponent();
}

void ConfigWin::onAppMsg (legacy::AppMsg message)
{
    if (message == legacy::AppMsg::pluginKeyChanged)
        content.refreshKeyLine();
}

void ConfigWin::closeButtonPressed()
{
    listener.onConfigMessage (MessageType::cancel);
}
} // namespace orv::config
