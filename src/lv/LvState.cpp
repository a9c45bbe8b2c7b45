#include "lv/LvState.h"
#include "state/TreeProps.h"
#include "utils/TextToInt.h"
#include "utils/VarNumbers.h"

namespace lv
{
LvState::Page::Page (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

int LvState::Page::getIndex() const
{
    return treeprops::getInt (tree, index);
}

int LvState::Page::getFirstBar() const
{
    return treeprops::getInt (tree, firstBar);
}

int LvState::Page::getBarCount() const
{
    return treeprops::getInt (tree, barCount);
}

int LvState::Page::getSystemCount() const
{
    return treeprops::getInt (tree, systemCount);
}

int LvState::Page::getLastBar() const
{
    return utils::saturateToInt (static_cast<int64_t> (getFirstBar()) + getBarCount() - 1);
}

//==============================================================================
LvState::PageList::PageList (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

bool LvState::PageList::isLoading() const
{
    return treeprops::getBool (tree, loading);
}

void LvState::PageList::setLoading (bool isNowLoading)
{
    tree.setProperty (loading, isNowLoading, nullptr);
}

std::optional<LvState::Page> LvState::PageList::findPage (int pageIndex) const
{
    for (const auto& child : tree)
    {
        Page page (child);

        if (child.hasType (Page::type) && page.getIndex() == pageIndex)
            return page;
    }

    return std::nullopt;
}

void LvState::PageList::clear()
{
    tree.removeAllChildren (nullptr);
}

LvState::Page LvState::PageList::addPage (int pageIndex, int firstBar, int barCount, int systemCount)
{
    juce::ValueTree page (Page::type);
    page.setProperty (Page::index, pageIndex, nullptr);
    page.setProperty (Page::firstBar, firstBar, nullptr);
    page.setProperty (Page::barCount, barCount, nullptr);
    page.setProperty (Page::systemCount, systemCount, nullptr);
    tree.appendChild (page, nullptr);
    return Page (page);
}

//==============================================================================
LvState::LvState()
    : tree (type)
{
    tree.appendChild (juce::ValueTree (PageList::type), nullptr);
}

std::optional<int> LvState::getPageCount() const
{
    return utils::readInt (tree.getProperty (pageCount));
}

void LvState::setPageCount (int count)
{
    tree.setProperty (pageCount, count, nullptr);
}

juce::String LvState::getLayoutScript() const
{
    return treeprops::getString (tree, layoutScript);
}

void LvState::setLayoutScript (const juce::String& script)
{
    tree.setProperty (layoutScript, script, nullptr);
}

LvState::PageList LvState::getPageList() const
{
    return PageList (tree.getChildWithName (PageList::type));
}
} // namespace lv
