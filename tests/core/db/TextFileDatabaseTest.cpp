#include "core/db/TextDirDatabase.h"
#include "state/UiStateManager.h"
#include "support/TempSuite.h"
#include "utils/AtomicFile.h"

#include <gtest/gtest.h>

using core::db::TextDirDatabase;
using core::db::TextFileDatabase;

TEST (TextFileDatabase, SectionsKeysAndValues)
{
    TextFileDatabase db ("x", "y", juce::File());
    db.parseText ("orphan=ignored\r\n"
                  "  [ s ]  \r\n"
                  "a=b\r\n"
                  "\r\n"
                  "  key with spaces = v = w  \n"
                  "=no key\n"
                  "novalue\n"
                  "a=later\n"
                  "[[nested]]\n"
                  "k=1\n"
                  "[]\n"
                  "e=empty section name\n");

    EXPECT_EQ (db.getVarFromMap ("s", "a"), "later") << "later lines overwrite earlier ones";
    EXPECT_EQ (db.getVarFromMap ("s", "key with spaces "), " v = w") << "split at the first '=' only, after trimming the line";
    EXPECT_EQ (db.getVarFromMap ("s", "novalue"), "");
    EXPECT_EQ (db.getVarFromMap ("nested", "k"), "1");
    EXPECT_EQ (db.getVarFromMap ("", "e"), "empty section name");
    EXPECT_EQ (db.getContent().at ("s").count ("orphan"), 0u);
    EXPECT_EQ (db.getContent().at ("s").count (""), 0u) << "an empty key is not stored";
    EXPECT_EQ (db.getContent().size(), 3u);
    EXPECT_EQ (db.getVarFromMap ("missing", "a"), "");
}

TEST (TextFileDatabase, FileReadingAndBooleans)
{
    testsupport::TempSuite suite;
    TextFileDatabase db ("Preferences/Orvana", "Preferences", suite.getSuiteFolder());
    EXPECT_EQ (db.getDatabaseFile(), suite.getSuiteFolder().getChildFile ("Preferences/Orvana/Preferences.txt"));

    EXPECT_TRUE (db.loadFileToMap()) << "a missing file is an empty database";
    EXPECT_TRUE (db.getContent().empty());

    utils::files::replaceFileAtomically (db.getDatabaseFile(), juce::String ("[general]\r\nt1=TRUE\r\nt2=1\r\nt3=true\r\nf1=yes\r\nf2=0\r\nf3= true\r\n"));

    EXPECT_EQ (db.getVarFromMap ("general", "t1"), "") << "the map is not read until asked";
    EXPECT_TRUE (db.loadBoolFromFile ("general", "t1"));
    EXPECT_TRUE (db.loadBoolFromFile ("general", "t2"));
    EXPECT_TRUE (db.loadBoolFromFile ("general", "t3"));
    EXPECT_FALSE (db.loadBoolFromFile ("general", "f1"));
    EXPECT_FALSE (db.loadBoolFromFile ("general", "f2"));
    EXPECT_FALSE (db.loadBoolFromFile ("general", "f3"));
    EXPECT_FALSE (db.loadBoolFromFile ("general", "missing"));

    TextDirDatabase dir ("Preferences/Orvana", suite.getSuiteFolder());
    EXPECT_TRUE (dir.fileExists ("Preferences"));
    EXPECT_FALSE (dir.fileExists ("Other"));
    EXPECT_EQ (dir.loadVarFromFile ("Preferences", "general", "t2"), "1");
    EXPECT_EQ (&dir.getCreateFileDatabase ("Preferences"), &dir.getCreateFileDatabase ("Preferences"));
}

TEST (TextFileDatabase, SurvivesRandomText)
{
    juce::Random random (42);
    TextFileDatabase db ("x", "y", juce::File());

    for (int round = 0; round < 2000; ++round)
    {
        juce::String text;
        const auto length = random.nextInt (300);

        for (int i = 0; i < length; ++i)
        {
            const char alphabet[] = "[]= \r\n\tab=c[]";
            text << juce::String::charToString (random.nextInt (4) == 0 ? static_cast<juce::juce_wchar> (random.nextInt ({1, 0x2000}))
                                                                        : static_cast<juce::juce_wchar> (alphabet[random.nextInt (13)]));
        }

        db.parseText (text);

        for (const auto& [section, keys] : db.getContent())
            for (const auto& [key, value] : keys)
            {
                EXPECT_FALSE (key.isEmpty());
                EXPECT_FALSE (key.containsAnyOf ("\r\n"));
                EXPECT_FALSE (value.containsAnyOf ("\r\n"));
            }
    }
}

TEST (UiStateFile, SortedSectionsAfterAnEmptyLine)
{
    testsupport::TempSuite suite;
    auto& ui = UiStateManager::createInstance (suite.getSuiteFolder());
    ui.getSection ("tracker")["zoom"] = "2.5";
    ui.getSection ("tracker")["height"] = "300";
    ui.getSection ("Alpha")["x"] = "1";

    ASSERT_TRUE (ui.storeUiState());
    const auto file = suite.getStateFolder().getChildFile ("uiState.txt");
    EXPECT_EQ (ui.getFile(), file);
    EXPECT_EQ (file.loadFileAsString(), "\r\n[Alpha]\r\nx=1\r\n\r\n[tracker]\r\nheight=300\r\nzoom=2.5\r\n");
    EXPECT_EQ (ui.loadVarFromFile ("tracker", "zoom"), "2.5") << "the file reads back with the text database";

    UiStateManager::deleteInstance();
    EXPECT_EQ (UiStateManager::getInstanceWithoutCreating(), nullptr);
}

TEST (UiStateFile, SectionsNoViewTouchedSurviveTheNextRun)
{
    testsupport::TempSuite suite;
    UiStateManager::createInstance (suite.getSuiteFolder()).getSection ("tracker")["zoom"] = "2.5";
    ASSERT_TRUE (UiStateManager::getInstance().storeUiState());

    // The next run opens only another view; its shutdown writes the file again.
    auto& next = UiStateManager::createInstance (suite.getSuiteFolder());
    EXPECT_EQ (next.getSection ("tracker")["zoom"], "2.5") << "loaded when the manager is created";
    next.getSection ("roll")["y"] = "7";
    ASSERT_TRUE (next.storeUiState());
    EXPECT_EQ (next.getFile().loadFileAsString(), "\r\n[roll]\r\ny=7\r\n\r\n[tracker]\r\nzoom=2.5\r\n");

    UiStateManager::deleteInstance();
}
