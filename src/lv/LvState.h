#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <optional>

namespace lv
{
/** Layvo's state "STATE": the score's page count, the layout script the
    editor shows and, as its only child, the page list read from the host.
    Made empty with the product and never stored: the host's score is the
    layout's only home. Copies refer to the same node; a missing integer
    reads as 0. */
class LvState final
{
public:
    static inline const juce::Identifier type{"STATE"};
    static inline const juce::Identifier pageCount{"pageCount"};
    static inline const juce::Identifier layoutScript{"layoutScript"};

    /** One page of the layout, "PAGE": its zero-based "index", its
        "firstBar", "barCount" and "systemCount". */
    class Page final
    {
    public:
        static inline const juce::Identifier type{"PAGE"};
        static inline const juce::Identifier index{"index"};
        static inline const juce::Identifier firstBar{"firstBar"};
        static inline const juce::Identifier barCount{"barCount"};
        static inline const juce::Identifier systemCount{"systemCount"};

        explicit Page (juce::ValueTree existing);

        juce::ValueTree getTree() const { return tree; }

        int getIndex() const;
        int getFirstBar() const;
        int getBarCount() const;
        int getSystemCount() const;
        /** firstBar + barCount - 1, without overflow. */
        int getLastBar() const;

    private:
        juce::ValueTree tree;
    };

    /** The pages in page order, "PAGE_LIST"; "loading" is true while the
        list is rebuilt from a host reply. */
    class PageList final
    {
    public:
        static inline const juce::Identifier type{"PAGE_LIST"};
        static inline const juce::Identifier loading{"loading"};

        explicit PageList (juce::ValueTree existing);

        juce::ValueTree getTree() const { return tree; }

        bool isLoading() const;
        void setLoading (bool isNowLoading);

        int size() const { return tree.getNumChildren(); }
        Page getPage (int position) const { return Page (tree.getChild (position)); }

        /** The first page whose "index" is the given one; nothing when none is. */
        std::optional<Page> findPage (int pageIndex) const;

        void clear();
        Page addPage (int pageIndex, int firstBar, int barCount, int systemCount);

    private:
        juce::ValueTree tree;
    };

    /** A fresh, empty node with its page list. */
    LvState();

    juce::ValueTree& getTree() { return tree; }
    const juce::ValueTree& getTree() const { return tree; }

    /** Nothing when the property is missing or holds no number. */
    std::optional<int> getPageCount() const;
    void setPageCount (int count);

    juce::String getLayoutScript() const;
    void setLayoutScript (const juce::String& script);

    /** The state's only child, made with it. */
    PageList getPageList() const;

private:
    juce::ValueTree tree;
};
} // namespace lv
