#include "products/ProductMgr.h"
#include "engine/EnginePlg.h"
#include "engine/PlgFileContents.h"

ProductMgr::ProductMgr (ProductContext productContext, ProductRegistry& productRegistry)
    : context (std::move (productContext))
    , registry (productRegistry)
{
}

ProductMgr::~ProductMgr() = default;

void ProductMgr::setComm (comm::Comm& channel)
{
    // Products keep the channel they were made with.
    jassert (products.empty());
    context.comm = &channel;
}

Product* ProductMgr::getOrCreateProduct (const juce::String& code)
{
    if (auto* existing = findProductByCode (code))
        return existing;

    auto product = registry.createByCode (code, context);

    if (product == nullptr)
        return nullptr;

    auto* raw = product.get();
    products[code] = std::move (product);
    return raw;
}

Product* ProductMgr::findProductByCode (juce::StringRef code) const
{
    const auto it = products.find (juce::String (code));
    return it == products.end() ? nullptr : it->second.get();
}

void ProductMgr::processHostMessageStr (juce::String code, juce::String type, juce::String data)
{
    auto* product = getOrCreateProduct (code);

    if (product == nullptr)
        return;

    // Looked up again at delivery: start-up may finish later, by which time
    // the product may have been shut down.
    auto deliver = [this, code, type, data]
    {
        if (auto* target = findProductByCode (code))
            target->processHostMessageStr (type, data);
    };

    if (product->isStarted())
        deliver();
    else
        product->startUpOnce (std::move (deliver));
}

void ProductMgr::shutDownProduct (const juce::String& code)
{
    products.erase (code);
}

void ProductMgr::shutDownAllProducts()
{
    // Out of the map first: a product that looks one up while closing finds
    // nothing rather than a half-destroyed object.
    auto closing = std::move (products);
    products.clear();
    closing.clear();
}

bool ProductMgr::installEnginePlgFile()
{
    return engine::installEnginePlgFile (context.paths);
}

bool ProductMgr::installPlgFileForProduct (const juce::String& code)
{
    auto* product = getOrCreateProduct (code);

    if (product == nullptr)
        return false;

    return plgfile::write (product->getPlgFile(), product->getPlgFileContents());
}

void ProductMgr::installPlgFilesForProducts (const std::vector<juce::String>& codes)
{
    for (const auto& code : codes)
        installPlgFileForProduct (code);
}
