#include "orv/ui/wizard/WizardWin.h"
#include "gfx/Palette.h"

namespace orv::wizard
{
WizardWin::WizardWin (OrvState& state, Listener& windowListener, IOrvana& product, const WizardDeps& deps)
    : juce::DocumentWindow ("", gfx::colours::panel, juce::DocumentWindow::closeButton, false)
    , orvState (state)
    , listener (windowListener)
    , orvana (product)
    , facts (deps.facts)
    , welcome (deps.facts, deps.invocationMode ? deps.invocationMode() : 1)
    , keyPage (product, deps)
    , testCamp (product, deps.activateSystemSettings)
    , results (deps.facts)
{
    setUsingNativeTitleBar (true);
    setResizable (false, false);

    for (auto* page : std::initializer_list<WizardPage*>{&welcome, &keyPage, &preTest, &testCamp, &results})
    {
        content.addChildComponent (*page);
        page->onMessage = [this] (WizardPage::MessageType type)
        { onMessage (type); };
    }

    content.setSize (width, height);
    setContentNonOwned (&content, true);
}

WizardWin::~WizardWin()
{
    clearContentComponent();
}

void WizardWin::setMode (Mode newMode)
{
    mode = newMode;
    setName (mode == Mode::welcome ? facts.appNameWithVersion + " | Welcome!" : juce::String ("Set Plugin Key"));

    if (mode == Mode::welcome)
        showPage (welcome);
    else
        onMessage (WizardPage::MessageType::showKeyPage);
}

void WizardWin::onMessage (WizardPage::MessageType type)
{
    using Type = WizardPage::MessageType;

    switch (type)
    {
        case Type::close:
            listener.onMessage (MessageType::closed);
            break;
        case Type::closeLater:
            listener.onMessage (MessageType::closedLater);
            break;
        case Type::showKeyPage:
        case Type::backToKeyPage:
            showPage (keyPage);
            keyPage.load();
            keyPage.focusPicker();
            break;
        case Type::showPreTest:
            showPage (preTest);
            break;
        case Type::startTest:
        {
            boundsBeforeTest = getBounds();
            setUsingNativeTitleBar (false);
            setTitleBarHeight (0);
            setBounds (boundsBeforeTest.getX(), boundsBeforeTest.getBottom() - stripHeight, boundsBeforeTest.getWidth(), stripHeight);
            showPage (testCamp);
            testCamp.startTest();
            break;
        }
        case Type::showResults:
        {
            const auto size = boundsBeforeTest.isEmpty() ? juce::Rectangle<int> (width, height) : boundsBeforeTest;
            setUsingNativeTitleBar (true);
            centreOnDisplay (*this, size.getWidth(), size.getHeight());
            results.setMode (orvana.getPreferences().getPluginKeyValidated() ? WzPageTestResults::Mode::succeeded
                                                                             : WzPageTestResults::Mode::failed);
            showPage (results);
            break;
        }
        case Type::finishWelcome:
            orvState.setWelcomeWizardFinished (true);
            listener.onMessage (MessageType::closed);
            break;
    }
}

void WizardWin::closeButtonPressed()
{
    onMessage (WizardPage::MessageType::close);
}

void WizardWin::centreOnDisplay (juce::Component& window, int windowWidth, int windowHeight)
{
    const auto& displays = juce::Desktop::getInstance().getDisplays();
    const auto* display = displays.getDisplayForRect (window.getScreenBounds());

    if (display == nullptr)
        display = displays.getPrimaryDisplay();

    const auto area = display != nullptr ? display->userArea : juce::Rectangle<int> (windowWidth, windowHeight);
    window.setBounds (juce::Rectangle<int> (windowWidth, windowHeight).withCentre (area.getCentre()));
}

void WizardWin::showPage (WizardPage& page)
{
    current = &page;

    for (auto* child : content.getChildren())
        child->setVisible (child == &page);

    content.resized();
}

void WizardWin::Content::resized()
{
    for (auto* child : getChildren())
        child->setBounds (getLocalBounds());
}
} // namespace orv::wizard
