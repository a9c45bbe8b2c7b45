#pragma once

#include "lv/ILvActionSender.h"
#include "lv/ILvWindow.h"
#include "lv/LvState.h"
#include "products/LatestRequest.h"
#include "products/Product.h"
#include "products/ProductWindowSlot.h"
#include "state/GadgetState.h"

namespace lv
{
/** The page-layout product: reads the score's page layout from its host
    plug-in, shows it as a layout script ("8a2 - 16a3 - 24a2": each page's
    last bar and its number of systems) and has the host lay the score out
    as an edited script says. The host does all the formatting; the product
    only mirrors the layout it reports.

    Each trigger asks for the layout afresh and, once it comes, shows a new
    window. The page count controls ask the host for more or fewer pages;
    their reply brings the new layout, and the script is rebuilt from it. */
class Layvo final : public Product,
                    public ILvActionSender
{
public:
    static constexpr const char* productCode = "LV";

    Layvo (const ProductContext& context, LvWindowFactory windowFactory);
    ~Layvo() override;

    juce::String getCode() const override { return productCode; }
    juce::String getInternalName() const override { return "Layvo"; }
    juce::String getDisplayName() const override { return "Layvo"; }

    /** "USER_TRIGGER" starts (init()); other messages are ignored. */
    void processHostMessageStr (juce::StringRef type, juce::StringRef data) override;

    //==============================================================================
    /** Sends the script's page list; a reply with the new layout updates the
        pages and the page count, not the script. */
    void applyLayoutScript (const juce::String& script) override;
    /** Sends nothing for the first page or a page the state does not have. */
    void setPageFirstBar (int pageIndex, int newFirstBar) override;
    /** Sends nothing for the last page, a page the state does not have, or a count below 1. */
    void setPageBarCount (int pageIndex, int barCount) override;
    void setPageSystemCount (int pageIndex, int systemCount) override;

    /** One page more (1 when the count is unknown), then asks the host for it. */
    void increasePageCount();
    /** One page fewer when there are at least two, then asks the host for it. */
    void decreasePageCount();

    /** Asks the host for the layout; its reply loads the state, rebuilds
        the script and shows a new window. */
    void init();
    /** Destroys the window there is and shows a new one over the state. */
    void createAndShowGadget();
    /** Takes a layout reply into the state (see LvStateLoader::load). */
    void loadStateFromVar (const juce::var& reply);
    /** Writes the script of the state's pages into "layoutScript". */
    void buildLayoutScriptFromState();

    //==============================================================================
    LvState& getState() { return state; }
    GadgetState& getGadgetState() { return gadgetState; }
    ILvWindow* getWindow() const { return window.get(); }
    void closeWindow() { window.close(); }

private:
    template <typename Action>
    void sendLayoutChange (const juce::DynamicObject& argument);

    LvState state;
    /** Where the window stands, for this session only. */
    GadgetState gadgetState;
    ProductWindowSlot<ILvWindow> window;
    LatestRequest starts{*this};
    LatestRequest layoutChanges{*this};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Layvo)
};
} // namespace lv
