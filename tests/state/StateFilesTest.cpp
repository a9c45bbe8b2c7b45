#include "products/Product.h"
#include "state/AppState.h"
#include "state/TreeFile.h"
#include "support/ProductStandIns.h"
#include "support/TempSuite.h"
#include "utils/AtomicFile.h"

#include <atomic>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{

juce::ValueTree sampleTree()
{
    juce::ValueTree tree ("LY_STATE");
    tree.setProperty ("pedals", "DCBEFGA", nullptr);
    tree.setProperty ("count", 7, nullptr);
    juce::ValueTree child ("GADGET_STATE");
    child.setProperty ("x", 120, nullptr);
    child.setProperty ("maximized", false, nullptr);
    tree.appendChild (child, nullptr);
    return tree;
}
} // namespace

TEST (AppStateFile, RoundTripWithCrLfAndDeclaration)
{
    testsupport::TempSuite suite;
    AppState written (suite.getPaths());
    written.setHostVersion (20240300);
    written.setSessionToken ("{abc-\"quoted\"&<>}");
    ASSERT_TRUE (written.storeToFile());

    const auto file = suite.getStateFolder().getChildFile ("AppState.xml");
    EXPECT_EQ (written.getFile(), file);
    const auto text = file.loadFileAsString();
    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"));
    EXPECT_FALSE (text.replace ("\r\n", "").containsChar ('\n')) << "every line ends with \\r\\n";

    AppState read (suite.getPaths());
    EXPECT_FALSE (read.hasHostVersion());
    ASSERT_TRUE (read.replaceTreeFromFile());
    EXPECT_EQ (read.getHostVersion(), 20240300);
    EXPECT_EQ (read.getSessionToken(), "{abc-\"quoted\"&<>}");
    EXPECT_TRUE (read.getTree().isEquivalentTo (written.getTree()));
}

TEST (AppStateFile, MissingOrMalformedFileKeepsTheTree)
{
    testsupport::TempSuite suite;
    AppState state (suite.getPaths());
    state.setHostVersion (7);

    EXPECT_FALSE (state.replaceTreeFromFile()) << "no file yet";

    for (const auto* garbage : {"", "<APP_STATE hostVersion=\"1\"", "\x01\x02 not xml", "<?xml version=\"1.0\"?>"})
    {
        ASSERT_TRUE (utils::files::replaceFileAtomically (state.getFile(), juce::String (garbage)));
        EXPECT_FALSE (state.replaceTreeFromFile()) << garbage;
        EXPECT_EQ (state.getHostVersion(), 7);
    }
}

TEST (ProductStateFiles, RoundTripAndForeignRootReplacesTheTree)
{
    testsupport::ProductStandIns standIns;
    const auto& suite = standIns.suite;
    testsupport::PlainProduct product (standIns.context());

    ASSERT_TRUE (product.storeStateFile (sampleTree(), "state.xml"));
    EXPECT_TRUE (suite.getStateFolder().getChildFile ("Lyrel/state.xml").existsAsFile());

    juce::ValueTree loaded ("LY_STATE");
    ASSERT_TRUE (product.attemptRetrieveStateFile (loaded, "state.xml"));
    EXPECT_TRUE (loaded.isEquivalentTo (sampleTree()));

    ASSERT_TRUE (product.storeStateFile (juce::ValueTree ("SOMETHING_ELSE"), "state.xml"));
    ASSERT_TRUE (product.attemptRetrieveStateFile (loaded, "state.xml"));
    EXPECT_EQ (loaded.getType().toString(), "SOMETHING_ELSE") << "the caller's tree is replaced, type and all";

    juce::ValueTree untouched ("LY_STATE");
    EXPECT_FALSE (product.attemptRetrieveStateFile (untouched, "missing.xml"));
    EXPECT_EQ (untouched.getType().toString(), "LY_STATE");
}

TEST (ProductStateFiles, PreferencesLiveInTheSuiteFolder)
{
    testsupport::ProductStandIns standIns;
    const auto& suite = standIns.suite;
    testsupport::PlainProduct product (standIns.context());

    EXPECT_FALSE (product.getPreferencesDir().exists());
    ASSERT_TRUE (product.storePreferencesFile (sampleTree(), "prefs.xml"));

    const auto file = suite.getSuiteFolder().getChildFile ("Preferences/Lyrel/prefs.xml");
    ASSERT_TRUE (file.existsAsFile());
    EXPECT_TRUE (file.loadFileAsString().contains ("\r\n"));

    juce::ValueTree loaded;
    ASSERT_TRUE (product.attemptRetrievePreferencesFile (loaded, "prefs.xml"));
    EXPECT_TRUE (loaded.isEquivalentTo (sampleTree()));

    EXPECT_FALSE (product.storePreferencesFile (juce::ValueTree(), "invalid.xml")) << "an invalid tree writes nothing";
    EXPECT_FALSE (product.getPreferencesDir().getChildFile ("invalid.xml").exists());
}

TEST (AtomicFile, FailedWriteLeavesTheOldContent)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";

    testsupport::TempSuite suite;
    const auto folder = suite.getStateFolder().getChildFile ("locked");
    const auto file = folder.getChildFile ("AppState.xml");
    ASSERT_TRUE (utils::files::replaceFileAtomically (file, juce::String ("old")));
    ::chmod (folder.getFullPathName().toRawUTF8(), 0555);

    EXPECT_FALSE (utils::files::replaceFileAtomically (file, juce::String ("new")));
    EXPECT_EQ (file.loadFileAsString(), "old");
    ::chmod (folder.getFullPathName().toRawUTF8(), 0755);
}

TEST (AtomicFile, FullDiskLeavesTheOldContentAndNoTemporaryFile)
{
    // Without the wait for the disk the stream writes its buffer only as it
    // closes: the failure must be caught there too.
    for (const auto sync : {utils::files::Sync::toDisk, utils::files::Sync::none})
    {
        testsupport::TempSuite suite;
        const auto file = suite.getStateFolder().getChildFile ("AppState.xml");
        ASSERT_TRUE (utils::files::replaceFileAtomically (file, juce::String ("old content"), sync));

        // A file-size limit makes writes fail part-way, as a full disk does.
        const juce::String big = juce::String::repeatedString ("x", 1 << 20);
        const auto previousHandler = ::signal (SIGXFSZ, SIG_IGN);
        rlimit previous{};
        ::getrlimit (RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = 64 * 1024;
        ::setrlimit (RLIMIT_FSIZE, &limited);

        const auto written = utils::files::replaceFileAtomically (file, big, sync);

        ::setrlimit (RLIMIT_FSIZE, &previous);
        ::signal (SIGXFSZ, previousHandler);

        EXPECT_FALSE (written);
        EXPECT_EQ (file.loadFileAsString(), "old content");
        EXPECT_EQ (file.getParentDirectory().findChildFiles (juce::File::findFiles, false, "*", juce::File::FollowSymlinks::no).size(), 1)
            << "the temporary file is removed";

        EXPECT_TRUE (utils::files::replaceFileAtomically (file, nullptr, 0, sync));
        EXPECT_TRUE (file.existsAsFile()) << "an empty write makes an empty file, it does not delete";
        EXPECT_EQ (file.getSize(), 0);
        EXPECT_TRUE (utils::files::replaceFileAtomically (file, juce::String ("new content"), sync));
        EXPECT_EQ (file.loadFileAsString(), "new content");
    }
}

TEST (AtomicFile, WritersMakingTheSameFoldersAtOnceAllSucceed)
{
    // Threads (or the suite and the host) that write files into one new
    // folder tree at the same moment race to make its folders.
    const testsupport::TempSuite scratch;
    std::atomic<int> failures{0};

    for (int round = 0; round < 40; ++round)
    {
        const auto folder = scratch.getStateFolder().getChildFile ("r" + juce::String (round) + "/a/b/c/d");
        std::vector<std::thread> writers;

        for (int t = 0; t < 6; ++t)
            writers.emplace_back ([&, t]
                                  {
                                      if (!utils::files::replaceFileAtomically (folder.getChildFile ("f" + juce::String (t)), juce::String (t), utils::files::Sync::none))
                                          ++failures; });

        for (auto& writer : writers)
            writer.join();
    }

    EXPECT_EQ (failures.load(), 0);
}

TEST (AtomicFile, LineEndingsBecomeCrLf)
{
    EXPECT_EQ (utils::files::withCrLfLineEndings ("a\nb\r\nc\rd\n\n"), "a\r\nb\r\nc\r\nd\r\n\r\n");
    EXPECT_EQ (utils::files::withCrLfLineEndings (juce::String::fromUTF8 ("\xc3\xa9\n")), juce::String::fromUTF8 ("\xc3\xa9\r\n"));
    EXPECT_EQ (utils::files::withCrLfLineEndings (""), "");
}
