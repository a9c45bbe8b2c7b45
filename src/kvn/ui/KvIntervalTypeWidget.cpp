#include "kvn/ui/KvIntervalTypeWidget.h"
#include "kvn/KvChoices.h"

namespace kv
{
KvIntervalTypeWidget::KvIntervalTypeWidget (KvState stateToUse)
    : state (std::move (stateToUse))
{
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        const auto type = KvIntervalTypes::allTypes[i];
        buttons[i] = std::make_unique<GadgetButton> (KvIntervalTypes::getLabel (type));
        buttons[i]->setActiveColor (GadgetButton::Colors::lightBlue);
        buttons[i]->setLatching (true);
        buttons[i]->setClickAction ([this, type]
                                    { KvIntervalTypes::press (state, type); });
        addAndMakeVisible (*buttons[i]);
    }

    state.getTree().addListener (this);
    updateButtons();
}

KvIntervalTypeWidget::~KvIntervalTypeWidget()
{
    state.getTree().removeListener (this);
}

void KvIntervalTypeWidget::updateButtons()
{
    const auto interval = state.getSelectedInterval();

    for (size_t i = 0; i < buttons.size(); ++i)
    {
        const auto type = KvIntervalTypes::allTypes[i];
        const auto enabled = KvIntervalTypes::isEnabled (state, type);
        buttons[i]->setEnabled (enabled);
        buttons[i]->setPressed (enabled && interval->getType() == type);
    }
}

void KvIntervalTypeWidget::resized()
{
    const auto gap = 4;
    const auto count = static_cast<int> (buttons.size());
    const auto width = (getWidth() - gap * (count - 1)) / count;

    for (int i = 0; i < count; ++i)
        buttons[static_cast<size_t> (i)]->setBounds (i * (width + gap), 0, width, getHeight());
}

KvBtnTransposeWrittenSignatures::KvBtnTransposeWrittenSignatures (KvState state)
    : GadgetButton ("Key Sig")
{
    setActiveColor (Colors::lightGreen);
    bindToggle (state.getTree(), KvState::transposeWrittenSignatures, false);
}
} // namespace kv
