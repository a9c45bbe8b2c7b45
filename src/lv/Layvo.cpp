#include "lv/Layvo.h"
#include "lv/LvActions.h"
#include "lv/LvPayloadIds.h"
#include "lv/LvStateLoader.h"
#include "utils/TextToInt.h"

#include <limits>

namespace lv
{
namespace
{
using Ids = LvPayloadIds;
}

Layvo::Layvo (const ProductContext& context, LvWindowFactory windowFactory)
    : Product (context)
    , window ([this, makeWindow = std::move (windowFactory)]() -> std::unique_ptr<ILvWindow>
              {
                  auto made = makeWindow != nullptr ? makeWindow (state, gadgetState) : nullptr;

                  if (made != nullptr)
                  {
                      made->onApplyLayoutScript = [this] (const juce::String& script) { applyLayoutScript (script); };
                      made->onIncreasePageCount = [this] { increasePageCount(); };
                      made->onDecreasePageCount = [this] { decreasePageCount(); };
                  }

                  return made; })
{
}

Layvo::~Layvo() = default;

void Layvo::processHostMessageStr (juce::StringRef type, juce::StringRef)
{
    if (juce::String (type) == "USER_TRIGGER")
        init();
}

void Layvo::init()
{
    LvActions::Init action;
    starts.send (action, [this] (const juce::var& reply)
                 {
                     loadStateFromVar (reply);
                     buildLayoutScriptFromState();
                     createAndShowGadget(); });
}

void Layvo::createAndShowGadget()
{
    window.showAnew();
}

void Layvo::loadStateFromVar (const juce::var& reply)
{
    LvStateLoader::load (state, reply);
}

void Layvo::buildLayoutScriptFromState()
{
    state.setLayoutScript (LvStateLoader::buildLayoutScript (state));
}

void Layvo::applyLayoutScript (const juce::String& script)
{
    // A script with an error is sent too: the host shows the error. A reply
    // that carries the new layout keeps the page count true for "+" and "-";
    // the script stays as the user wrote it.
    LvActions::ApplyLayoutScript action;
    action.setArg (LvActions::ApplyLayoutScript::layoutScriptToVar (script));
    layoutChanges.send (action, [this] (const juce::var& reply)
                        { loadStateFromVar (reply); });
}

template <typename Action>
void Layvo::sendLayoutChange (const juce::DynamicObject& argument)
{
    Action action;
    action.setArgObj (argument);
    layoutChanges.send (action, [this] (const juce::var& reply)
                        {
                            // The editor shows the layout the host now has.
                            loadStateFromVar (reply);
                            buildLayoutScriptFromState(); });
}

void Layvo::increasePageCount()
{
    const auto count = state.getPageCount().has_value() ? juce::jmin (*state.getPageCount(), std::numeric_limits<int>::max() - 1) + 1 : 1;
    state.setPageCount (count);

    juce::DynamicObject argument;
    argument.setProperty (Ids::pageCount, count);
    sendLayoutChange<LvActions::SetPageCount> (argument);
}

void Layvo::decreasePageCount()
{
    const auto current = state.getPageCount();

    if (!current.has_value() || *current < 2)
        return;

    state.setPageCount (*current - 1);

    juce::DynamicObject argument;
    argument.setProperty (Ids::pageCount, *current - 1);
    sendLayoutChange<LvActions::SetPageCount> (argument);
}

void Layvo::setPageBarCount (int pageIndex, int barCount)
{
    const auto pages = state.getPageList();
    const auto page = pages.findPage (pageIndex);
    const auto next = pageIndex < std::numeric_limits<int>::max() ? pages.findPage (pageIndex + 1) : std::nullopt;

    if (!page.has_value() || !next.has_value() || barCount < 1)
        return;

    juce::DynamicObject argument;
    argument.setProperty (Ids::pageFirstBar, page->getFirstBar());
    argument.setProperty (Ids::pageLastBar, utils::saturateToInt (static_cast<int64_t> (page->getFirstBar()) + barCount - 1));
    argument.setProperty (Ids::nextPageLastBar, next->getLastBar());
    sendLayoutChange<LvActions::SetPageBarCount> (argument);
}

void Layvo::setPageFirstBar (int pageIndex, int newFirstBar)
{
    const auto pages = state.getPageList();
    const auto previous = pageIndex > std::numeric_limits<int>::min() ? pages.findPage (pageIndex - 1) : std::nullopt;
    const auto page = pages.findPage (pageIndex);

    if (!previous.has_value() || !page.has_value())
        return;

    auto* aux = new juce::DynamicObject();
    aux->setProperty (Ids::newFirstBar, newFirstBar);
    aux->setProperty (Ids::previousPageFirstBar, previous->getFirstBar());
    aux->setProperty (Ids::pageLastBar, page->getLastBar());

    juce::DynamicObject argument;
    argument.setProperty (Ids::aux, juce::var (aux));
    sendLayoutChange<LvActions::SetPageFirstBar> (argument);
}

void Layvo::setPageSystemCount (int, int)
{
}
} // namespace lv
