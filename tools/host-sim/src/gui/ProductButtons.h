#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

namespace hostsim
{
/** One button per product plug-in, as in the host's plug-in menu: pressing
    it runs that product's plug-in (the product code is passed on). */
class ProductButtons final : public juce::Component
{
public:
    ProductButtons();

    std::function<void (const juce::String& code)> onRun;

    void resized() override;

private:
    std::vector<std::unique_ptr<juce::TextButton>> buttons;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProductButtons)
};
} // namespace hostsim
