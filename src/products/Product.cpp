#include "products/Product.h"
#include "BinaryData.h"
#include "app/IActionSender.h"
#include "engine/comm/Comm.h"
#include "gadget/Gadget2.h"
#include "platform/ProcessControl.h"
#include "state/TreeFile.h"
#include "utils/AtomicFile.h"

namespace
{
thread_local const SuitePaths* constructionPaths = nullptr;
}

Product::ScopedConstructionPaths::ScopedConstructionPaths (SuitePaths suitePaths)
    : paths (std::move (suitePaths)), previous (constructionPaths)
{
    constructionPaths = &paths;
}

Product::ScopedConstructionPaths::~ScopedConstructionPaths()
{
    constructionPaths = previous;
}

Product::Product()
    : paths (constructionPaths != nullptr ? *constructionPaths : SuitePaths::fromRunningExecutable())
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
    dir.createDirectory();
    return dir;
}

void Product::afterStartUpValidation (std::function<void()> continuation)
{
    continuation();
}

juce::String Product::getPlgFileContents()
{
    return {};
}

Product::ImageData Product::getCoverImageData() const
{
    return { BinaryData::default_cover_png, static_cast<size_t> (BinaryData::default_cover_pngSize) };
}

void Product::processHostMessageStr (juce::StringRef, juce::StringRef)
{
}

void Product::startUpOnce (std::function<void()> onStarted)
{
    if (started || starting)
        return;

    starting = true;

    // A product may be shut down while its validation is pending; the
    // continuation must not touch it then.
    afterStartUpValidation ([this, alive = std::weak_ptr<bool> (aliveToken), onStarted = std::move (onStarted)]
                            {
                                if (onStarted)
                                    onStarted();

                                if (alive.expired())
                                    return;

                                starting = false;
                                started = true;
                            });
}

shared::ProductMetadata Product::getMetadata() const
{
    const auto cover = getCoverImageData();
    return { getCode(), getInternalName(), getDisplayName(), cover.data, cover.size };
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

void Product::showGadget (Gadget2* gadget, GadgetState state)
{
    if (gadget == nullptr)
        return;

    const auto placement = gadget::decidePlacement (state, gadget->getBounds(), gadget::getDesktopMonitorAreas());

    if (placement.kind == gadget::Placement::Kind::maximize)
        gadget->maximize();
    else
        gadget->setTopLeftPosition (placement.topLeft);

    const auto styleFlags = platform::isUiElementApplication() ? 0 : juce::ComponentPeer::windowAppearsOnTaskbar;
    gadget->addToDesktop (styleFlags);
    gadget->setAlwaysOnTop (true);
    gadget->toFront (true);
    gadget->setVisible (true);
}

juce::File Product::getPlgFile() const
{
    return paths.getSuiteFolder().getChildFile ("ORV_" + getInternalName() + ".plg");
}
