#include "app/RegisterAllProducts.h"
#include "engine/EnginePlg.h"
#include "engine/PlgFileContents.h"
#include "products/ProductMgr.h"
#include "products/ProductRegistrar.h"
#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

namespace
{
juce::MemoryBlock gzip (const juce::String& text)
{
    juce::MemoryOutputStream compressed;
    {
        juce::GZIPCompressorOutputStream stream (compressed, 9, juce::GZIPCompressorOutputStream::windowBitsGZIP);
        stream.writeText (text, false, false, nullptr);
    }
    return compressed.getMemoryBlock();
}

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

TEST (PlgFiles, ProductFilesComeFromTheRegistrationAreWrittenEvenEmptyAndUnknownCodesWriteNothing)
{
    testsupport::TempSuite suite;
    testsupport::RecordingUiServices ui;
    ProductRegistry registry;
    const auto text = gzip ("line one\nline two\n");
    registry.addEntry ("LY", {text.getData(), text.getSize()}, [] (const ProductContext& c)
                       { return std::make_unique<testsupport::PlainProduct> (c, "LY", "Lyrel"); });
    registry.addEntry ("KV", {}, [] (const ProductContext& c)
                       { return std::make_unique<testsupport::PlainProduct> (c, "KE", "Keyvane"); });
    ProductMgr mgr ({suite.getPaths(), ui}, registry);

    EXPECT_TRUE (mgr.installPlgFileForProduct ("LY"));
    EXPECT_EQ (suite.getSuiteFolder().getChildFile ("ORV_Lyrel.plg").loadFileAsString(), "line one\r\nline two\r\n");

    EXPECT_TRUE (mgr.installPlgFileForProduct ("KV"));
    EXPECT_TRUE (suite.getSuiteFolder().getChildFile ("ORV_Keyvane.plg").existsAsFile());
    EXPECT_EQ (suite.getSuiteFolder().getChildFile ("ORV_Keyvane.plg").getSize(), 0);

    const auto before = suite.getSuiteFolder().findChildFiles (juce::File::findFiles, false).size();
    EXPECT_FALSE (mgr.installPlgFileForProduct ("NOPE"));
    mgr.installPlgFilesForProducts ({"NOPE", "ly"});
    EXPECT_EQ (suite.getSuiteFolder().findChildFiles (juce::File::findFiles, false).size(), before);
}

TEST (PlgFiles, ContentsDecompressOnlyGzip)
{
    const auto compressed = gzip ("plug-in text");
    EXPECT_EQ (PlgFileContents (compressed.getData(), compressed.getSize()).get(), "plug-in text");
    EXPECT_EQ (PlgFileContents().get(), "");
    EXPECT_EQ (PlgFileContents ("not gzip at all", 15).get(), "");
}

// Suite messages name a product by its code; the engine finds the product's
// plug-in ("ORV_" + internal name) through its own table of codes.
TEST (PlgFiles, EngineKnowsThePlugInOfEveryProduct)
{
    testsupport::TempSuite suite;
    testsupport::RecordingUiServices ui;
    ProductRegistry registry;
    zel_registerAllProducts (registry);
    ProductMgr mgr ({suite.getPaths(), ui}, registry);
    const auto engineText = engine::EnginePlgContents().get();

    ASSERT_FALSE (registry.getCodes().empty());

    for (const auto& code : registry.getCodes())
    {
        const auto* product = mgr.getOrCreateProduct (code);
        ASSERT_NE (product, nullptr) << code;
        EXPECT_TRUE (engineText.contains ("'" + code + "', '" + product->getInternalName() + "'")) << code;
    }
}
