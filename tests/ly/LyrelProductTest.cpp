// The product: registration, pedals from the trigger's key (every key of
// both signature tables against a table written from the keys' signatures),
// triggers that name no key, the apply sequence and its argument, the
// diagram's argument, and the state file.
#include "app/RegisterAllProducts.h"
#include "ly/Lyrel.h"
#include "ly/ui/LyGadget.h"
#include "products/ProductRegistry.h"
#include "support/LogCapture.h"
#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

using namespace ly;

namespace
{
juce::String trigger (const juce::String& name, bool isMajor)
{
    return "{\"name\": \"" + name + "\", \"isMajor\": " + (isMajor ? "true" : "false") + "}";
}

class LyrelProduct : public ::testing::Test
{
protected:
    /** A product without a window (the logic needs none). */
    std::unique_ptr<Lyrel> makeProduct (LyWindowFactory factory = nullptr) { return std::make_unique<Lyrel> (standIns.context(), std::move (factory)); }

    juce::String pedaling() const { return product->getState().getTree()[LyState::pedaling].toString(); }

    juce::File stateFile() const { return standIns.suite.getStateFolder().getChildFile ("Lyrel").getChildFile ("state.xml"); }

    testsupport::ScopedLogCapture log;
    testsupport::ProductStandIns standIns;
    testsupport::RecordingActionSender& host = standIns.host;
    std::unique_ptr<Lyrel> product = makeProduct();
};
} // namespace

TEST (LyrelRegistration, IsTheProductOfCodeLY)
{
    ProductRegistry registry;
    zel_registerAllProducts (registry);
    testsupport::ProductStandIns standIns;

    const auto product = registry.createByCode ("LY", standIns.context());
    ASSERT_NE (dynamic_cast<Lyrel*> (product.get()), nullptr);
    EXPECT_EQ (product->getPlgFile().getFileName(), "ORV_Lyrel.plg");

    const auto plugin = product->getPlgFileContents();

    for (const auto* method : {"apply \"(argument)", "applyPostProcess \"(argument)", "insertDiagram \"(argument)", "undo \"(argument)",
                               "redo \"(argument)", "UserTrigger('LY'"})
        EXPECT_TRUE (plugin.contains (method)) << method;
}

// Pedals D C B E F G A; sharps come in the order F C G D A E B, flats in the
// order B E A D G C F. Relative major and minor keys share their pedals.
TEST_F (LyrelProduct, EveryKeyOfBothTablesSetsThePedalsOfItsSignature)
{
    struct Case
    {
        const char* major;
        const char* minor;
        const char* pedals;
    };

    const Case keys[] = {
        {"Cb", "Ab", "bbbbbbb"},
        {"Gb", "Eb", "bbbb-bb"},
        {"Db", "Bb", "b-bb-bb"},
        {"Ab", "F", "b-bb--b"},
        {"Eb", "C", "--bb--b"},
        {"Bb", "G", "--bb---"},
        {"F", "D", "--b----"},
        {"C", "A", "-------"},
        {"G", "E", "----#--"},
        {"D", "B", "-#--#--"},
        {"A", "F#", "-#--##-"},
        {"E", "C#", "##--##-"},
        {"B", "G#", "##--###"},
        {"F#", "D#", "##-####"},
        {"C#", "A#", "#######"},
    };

    for (const auto& key : keys)
    {
        for (const auto isMajor : {true, false})
        {
            const auto* name = isMajor ? key.major : key.minor;
            product->getState().getTree().setProperty (LyState::pedaling, "b#b#b#b", nullptr);
            product->processHostMessageStr ("USER_TRIGGER", trigger (name, isMajor));
            EXPECT_EQ (pedaling(), key.pedals) << name << (isMajor ? " major" : " minor");
        }
    }
}

TEST_F (LyrelProduct, TriggersNamingNoKeyLeaveThePedalsAndStillOpenTheWindow)
{
    product = makeProduct (&LyGadget::makeWindow);
    product->getState().getTree().setProperty (LyState::pedaling, "-#--##-", nullptr);

    for (const auto* data : {"", "not json", "[]", "{\"isMajor\": true}", "{\"name\": \"Eb\"}", "{\"name\": 3, \"isMajor\": true}",
                             "{\"name\": \"\", \"isMajor\": true}", "{\"name\": \"H\", \"isMajor\": true}",
                             "{\"name\": \"Ebm\", \"isMajor\": true}", "{\"name\": \"eb\", \"isMajor\": true}",
                             "{\"name\": \"D#\", \"isMajor\": true}", "{\"name\": \"Gb\", \"isMajor\": false}",
                             "{\"name\": \"Eb\", \"isMajor\": \"yes\"}"})
    {
        product->processHostMessageStr ("USER_TRIGGER", data);
        EXPECT_EQ (pedaling(), "-#--##-") << data;
        EXPECT_NE (product->getWindow(), nullptr) << data;
        product->closeWindow();
    }

    product->processHostMessageStr ("REFRESH", trigger ("Eb", true));
    EXPECT_EQ (pedaling(), "-#--##-") << "only the trigger sets pedals";
    EXPECT_EQ (product->getWindow(), nullptr);
}

TEST_F (LyrelProduct, RandomGarbageTriggersNeverChangeThePedalsUnlessTheyNameAKey)
{
    juce::Random random (29);
    const juce::String valid = trigger ("F#", false);
    int changed = 0;

    for (int i = 0; i < 3000; ++i)
    {
        juce::String data = valid;

        for (int edits = 1 + random.nextInt (4); --edits >= 0;)
        {
            const auto at = random.nextInt (juce::jmax (1, data.length()));
            const auto c = static_cast<juce::juce_wchar> (random.nextBool() ? random.nextInt ({32, 127}) : random.nextInt ({1, 0x3000}));
            data = random.nextBool() ? data.replaceSection (at, 1, juce::String::charToString (c)) : data.substring (0, at);
        }

        product->getState().getTree().setProperty (LyState::pedaling, "b#b#b#b", nullptr);
        product->processHostMessageStr ("USER_TRIGGER", data);
        const auto now = pedaling();
        ASSERT_TRUE (now == "b#b#b#b" || LyPedaling::fromString (now).toString() == now) << data;
        changed += now != "b#b#b#b" ? 1 : 0;
    }

    EXPECT_GT (changed, 0) << "some mutations still name a key";
}

TEST_F (LyrelProduct, ApplySendsTheOptionsInOrderThenAnyReplyBringsOnePostProcess)
{
    auto tree = product->getState().getTree();
    tree.setProperty (LyState::pedaling, "--bb--b##", nullptr);
    tree.setProperty (LyState::beams, "Beams9", nullptr);
    tree.setProperty (LyState::lineType, "Wavy", nullptr);
    tree.setProperty (LyState::noSpellKeepNoteHead, true, nullptr);
    tree.setProperty (LyState::noSpellFirstNoteBeams, false, nullptr);
    tree.setProperty (LyState::writeGlissWord, "1", nullptr); // as read back from a file
    tree.setProperty (LyState::nonWrittenAddBeams, "0", nullptr);

    product->apply();
    ASSERT_EQ (host.sent.size(), 1u);
    EXPECT_EQ (host.sent[0].plugin, "ORV_Lyrel");
    EXPECT_EQ (host.sent[0].method, "apply");
    EXPECT_EQ (juce::JSON::toString (host.sent[0].argument, true),
               R"({"pedaling": "--bb--b", "spell": "1", "writeGlissWord": "1", "beams": "Beams4", "slur": "1", "lineType": "Wavy", )"
               R"("writePlayback": "1", "noSpellKeepNoteHead": "1", "noSpellFirstNoteBeams": "1", "nonWrittenAddBeams": false})");

    // A foreign pedal text goes as all natural.
    tree.setProperty (LyState::pedaling, "--x----", nullptr);
    tree.setProperty (LyState::noSpellKeepNoteHead, false, nullptr);
    tree.setProperty (LyState::nonWrittenAddBeams, true, nullptr);
    product->apply();
    ASSERT_EQ (host.sent.size(), 2u);
    EXPECT_EQ (host.sent[1].argument["pedaling"], "-------");
    EXPECT_EQ (host.sent[1].argument["noSpellFirstNoteBeams"], "0");
    EXPECT_EQ (host.sent[1].argument["nonWrittenAddBeams"], juce::var (true));

    // Whatever the host answers, each reply is followed by one post-process.
    const juce::var replies[] = {juce::JSON::parse (R"({"success": true})"), juce::JSON::parse (R"({"success": false, "error": "x"})"), {}};
    host.answer (0, replies[0]);
    host.answer (1, replies[1]);
    ASSERT_EQ (host.sent.size(), 4u);
    EXPECT_EQ (host.sent[2].method, "applyPostProcess");
    EXPECT_EQ (host.sent[3].method, "applyPostProcess");
    EXPECT_TRUE (host.sent[2].argument.isVoid());

    product->apply();
    host.answer (4, replies[2]);
    ASSERT_EQ (host.sent.size(), 6u);
    EXPECT_EQ (host.sent[5].method, "applyPostProcess");

    host.answer (5, replies[0]);
    EXPECT_EQ (host.sent.size(), 6u) << "the post-process reply leads nowhere";

    // The diagram's pedal text is normalised the same way.
    tree.setProperty (LyState::pedaling, "#b-", nullptr);
    product->insertDiagram();
    EXPECT_EQ (host.sent.back().method, "insertDiagram");
    EXPECT_EQ (juce::JSON::toString (host.sent.back().argument, true), R"({"pedaling": "#b-----"})");

    // A reply after the product went is dropped.
    product->apply();
    product.reset();
    host.answer (7, replies[0]);
    EXPECT_EQ (host.sent.size(), 8u);
}

TEST_F (LyrelProduct, ClosingTheWindowStoresTheStateForTheNextStart)
{
    product = makeProduct (&LyGadget::makeWindow);
    product->processHostMessageStr ("USER_TRIGGER", trigger ("Eb", true));
    product->getState().getTree().setProperty (LyState::beams, "Beams2", nullptr);
    product->getState().getGadgetState().setPosition (120, 80);
    product->closeWindow();

    ASSERT_TRUE (stateFile().existsAsFile());
    const auto stored = juce::parseXML (stateFile());
    ASSERT_NE (stored, nullptr);
    EXPECT_EQ (stored->getTagName(), "STATE");
    EXPECT_EQ (stored->getStringAttribute ("pedaling"), "--bb--b");

    const auto again = makeProduct();
    EXPECT_TRUE (again->getState().getTree().isEquivalentTo (product->getState().getTree()));
    EXPECT_EQ (again->getState().getBeams(), LyBeams::Beams2);
    EXPECT_EQ (again->getState().getGadgetState().getX(), 120);
}
