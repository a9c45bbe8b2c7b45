#include "app/IActionSender.h"
#include "engine/EnginePlg.h"
#include "products/PlgFileContents.h"
#include "products/ProductMgr.h"
#include "products/ProductRegistrar.h"
#include "products/RegisterAllProducts.h"
#include "support/TempSuite.h"

#include <gtest/gtest.h>

namespace
{
class TextProduct final : public Product
{
public:
    explicit TextProduct (juce::String t)
        : text (std::move (t))
    {
    }
    juce::String getCode() const override { return "LY"; }
    juce::String getInternalName() const override { return "Lyrel"; }
    juce::String getDisplayName() const override { return "Lyrel"; }
    juce::String getPlgFileContents() override { return text; }
    juce::String text;
};

struct NoSender final : public IActionSender
{
    void sendAction (juce::StringRef, WebSocketAction&, bool) override {}
    void sendActionWithPressureLimit (juce::StringRef, WebSocketAction&) override {}
    void sendActionConnectionRequest (std::function<void (juce::var)>) override {}
};

juce::MemoryBlock fileBytes (const juce::File& f)
{
    juce::MemoryBlock block;
    f.loadFileAsData (block);
    return block;
}
} // namespace

TEST (PlgFiles, EngineFileIsWrittenWithCrLfAndReplacesAnOldOne)
{
    testsupport::TempSuite suite;
    const auto file = suite.getSuiteFolder().getChildFile ("ORX.plg");
    file.replaceWithText ("old engine\n");

    ASSERT_TRUE (engine::installEnginePlgFile (suite.getPaths()));
    const auto bytes = fileBytes (file);
    const auto text = bytes.toString();

    EXPECT_TRUE (text.contains ("callMethod"));
    EXPECT_TRUE (text.contains ("HandleGuestRequest"));
    EXPECT_TRUE (text.contains ("connectRequest"));
    EXPECT_FALSE (text.contains ("old engine"));
    EXPECT_FALSE (text.replace ("\r\n", "").containsAnyOf ("\r\n")) << "every line ends with \\r\\n";
    ASSERT_GT (bytes.getSize(), 3u);
    EXPECT_FALSE (static_cast<unsigned char> (bytes[0]) == 0xef && static_cast<unsigned char> (bytes[1]) == 0xbb) << "no byte-order mark";
    EXPECT_EQ (text.replace ("\r\n", "\n"), engine::EnginePlgContents().get().replace ("\r\n", "\n"));
}

TEST (PlgFiles, ProductFilesAreWrittenEvenEmptyAndUnknownCodesWriteNothing)
{
    testsupport::TempSuite suite;
    NoSender sender;
    ProductRegistry registry;
    juce::String text = "line one\nline two\n";
    registry.addEntry ("LY", [&]
                       { return std::make_unique<TextProduct> (text); });
    ProductMgr mgr (sender, registry, suite.getPaths());

    EXPECT_TRUE (mgr.installPlgFileForProduct ("LY"));
    EXPECT_EQ (suite.getSuiteFolder().getChildFile ("ORV_Lyrel.plg").loadFileAsString(), "line one\r\nline two\r\n");

    static_cast<TextProduct*> (mgr.findProductByCode ("LY"))->text = {};
    EXPECT_TRUE (mgr.installPlgFileForProduct ("LY"));
    EXPECT_TRUE (suite.getSuiteFolder().getChildFile ("ORV_Lyrel.plg").existsAsFile());
    EXPECT_EQ (suite.getSuiteFolder().getChildFile ("ORV_Lyrel.plg").getSize(), 0);

    const auto before = suite.getSuiteFolder().findChildFiles (juce::File::findFiles, false).size();
    EXPECT_FALSE (mgr.installPlgFileForProduct ("NOPE"));
    mgr.installPlgFilesForProducts ({"NOPE", "ly"});
    EXPECT_EQ (suite.getSuiteFolder().findChildFiles (juce::File::findFiles, false).size(), before);
}

TEST (PlgFiles, ContentsDecompressOnlyGzip)
{
    juce::MemoryOutputStream compressed;
    {
        juce::GZIPCompressorOutputStream gzip (compressed, 9, juce::GZIPCompressorOutputStream::windowBitsGZIP);
        gzip.writeText ("plug-in text", false, false, nullptr);
    }

    EXPECT_EQ (PlgFileContents (compressed.getData(), compressed.getDataSize()).get(), "plug-in text");
    EXPECT_EQ (PlgFileContents (nullptr, 0).get(), "");
    EXPECT_EQ (PlgFileContents ("not gzip at all", 15).get(), "");
}

// Suite messages name a product by its code; the engine finds the product's
// plug-in ("ORV_" + internal name) through its own table of codes.
TEST (PlgFiles, EngineKnowsThePlugInOfEveryProduct)
{
    testsupport::TempSuite suite;
    NoSender sender;
    ProductRegistry registry;
    zel_registerAllProducts (registry);
    ProductMgr mgr (sender, registry, suite.getPaths());
    const auto engineText = engine::EnginePlgContents().get();

    ASSERT_FALSE (registry.getCodes().empty());

    for (const auto& code : registry.getCodes())
    {
        const auto* product = mgr.getOrCreateProduct (code);
        ASSERT_NE (product, nullptr) << code;
        EXPECT_TRUE (engineText.contains ("'" + code + "', '" + product->getInternalName() + "'")) << code;
    }
}
