#include "products/Product.h"
#include "BinaryData.h"
#include "engine/comm/Comm.h"
#include "products/IActionSender.h"
#include "state/TreeFile.h"
#include "utils/AtomicFile.h"

Product::Product (const ProductContext& context)
    : paths (context.paths)
    , ui (context.ui)
    , actionSender (context.actionSender)
    , comm (context.comm)
    , plgFile (context.plgFile)
{
}

Product::~Product() = default;

void Product::sendAction (WebSocketAction& action, bool withPressureLimit)
{
    if (actionSender != nullptr)
        actionSender->sendAction (getInternalName(), action, withPressureLimit);
}

void Product::sendActionWithPressureLimit (WebSocketAction& action)
{
    if (actionSender != nullptr)
        actionSender->sendActionWithPressureLimit (getInternalName(), action);
}

void Product::sendActionConnectionRequest (std::function<void (juce::var)> onResponse)
{
    if (actionSender != nullptr)
        actionSender->sendActionConnectionRequest (std::move (onResponse));
}

void Product::purgePlaybackPendingResponses()
{
    if (comm != nullptr)
        comm->purgePlaybackPendingResponses();
}

juce::File Product::getPreferencesDir()
{
    return paths.getPreferencesFolder().getChildFile (getInternalName());
}

juce::File Product::getOrCreatePreferencesDir()
{
    auto dir = getPreferencesDir();
    utils::files::makeFolder (dir);
    return dir;
}

void Product::afterStartUpValidation (std::function<void()> continuation)
{
    continuation();
}

juce::String Product::getPlgFileContents()
{
    return plgFile.get();
}

Product::ImageData Product::getCoverImageData() const
{
    return {BinaryData::default_cover_png, static_cast<size_t> (BinaryData::default_cover_pngSize)};
}

void Product::processHostMessageStr (juce::StringRef, juce::StringRef)
{
}

void Product::startUpOnce (std::function<void()> onStarted)
{
    if (started || starting)
        return;

    starting = true;

    // A product may finish its validation asynchronously; by then it may have
    // been shut down, and the continuation must not touch it.
    afterStartUpValidation ([self = juce::WeakReference<Product> (this), onStarted = std::move (onStarted)]
                            {
                                if (self == nullptr)
                                    return;

                                if (onStarted)
                                    onStarted();

                                if (self != nullptr)
                                {
                                    self->starting = false;
                                    self->started = true;
                                } });
}

shared::ProductMetadata Product::getMetadata() const
{
    const auto cover = getCoverImageData();
    return {getCode(), getInternalName(), getDisplayName(), cover.data, cover.size};
}

juce::File Product::getStateDir() const
{
    return paths.getStateFolder().getChildFile (getInternalName());
}

bool Product::storeStateFile (const juce::ValueTree& tree, const juce::String& fileName) const
{
    return treefile::store (tree, getStateDir().getChildFile (fileName));
}

bool Product::attemptRetrieveStateFile (juce::ValueTree& tree, const juce::String& fileName) const
{
    return treefile::replaceFromFile (tree, getStateDir().getChildFile (fileName));
}

bool Product::storePreferencesFile (const juce::ValueTree& tree, const juce::String& fileName)
{
    const auto xml = tree.createXml();

    if (xml == nullptr)
        return false;

    const auto file = getOrCreatePreferencesDir().getChildFile (fileName);
    return utils::files::replaceFileAtomically (file, treefile::toXmlText (*xml));
}

bool Product::attemptRetrievePreferencesFile (juce::ValueTree& tree, const juce::String& fileName)
{
    return treefile::replaceFromFile (tree, getPreferencesDir().getChildFile (fileName));
}

juce::File Product::getPlgFile() const
{
    return paths.getSuiteFolder().getChildFile ("ORV_" + getInternalName() + ".plg");
}
