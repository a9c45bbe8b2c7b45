#include "platform/SingleInstance.h"

#include <gtest/gtest.h>

#include <mutex>

using platform::SingleInstance;

namespace
{
juce::String uniqueName()
{
    return "orvana-test." + juce::String (::getpid()) + "." + juce::Uuid().toString();
}
} // namespace

TEST (SingleInstance, SecondClaimHandsItsCommandLineToTheFirst)
{
    const auto name = uniqueName();
    SingleInstance first (name);
    ASSERT_EQ (first.claimOrHandOver ("ignored"), SingleInstance::Outcome::primary);

    std::mutex lock;
    std::vector<juce::String> received;
    first.startListening ([&] (const juce::String& line) { const std::scoped_lock l (lock); received.push_back (line); });

    SingleInstance second (name);
    EXPECT_EQ (second.claimOrHandOver (juce::String::fromUTF8 ("--from-host \xc3\xa9")), SingleInstance::Outcome::handedOver);
    EXPECT_FALSE (second.isPrimary());

    SingleInstance third (name);
    EXPECT_EQ (third.claimOrHandOver (""), SingleInstance::Outcome::handedOver);

    const std::scoped_lock l (lock);
    EXPECT_EQ (received, (std::vector<juce::String> { juce::String::fromUTF8 ("--from-host \xc3\xa9"), "" }))
        << "each hand-over is delivered before it is acknowledged";
}

TEST (SingleInstance, NameIsFreedWhenThePrimaryGoes)
{
    const auto name = uniqueName();
    {
        SingleInstance first (name);
        ASSERT_EQ (first.claimOrHandOver (""), SingleInstance::Outcome::primary);
    }

    SingleInstance next (name);
    EXPECT_EQ (next.claimOrHandOver ("", 2000), SingleInstance::Outcome::primary);
}

TEST (SingleInstance, PrimaryThatNeverAcknowledgesIsGivenUp)
{
    const auto name = uniqueName();
    SingleInstance silent (name);
    ASSERT_EQ (silent.claimOrHandOver (""), SingleInstance::Outcome::primary); // bound, but never serves

    SingleInstance late (name);
    const auto start = juce::Time::getMillisecondCounter();
    EXPECT_EQ (late.claimOrHandOver ("", 300), SingleInstance::Outcome::failed);
    EXPECT_LT (juce::Time::getMillisecondCounter() - start, 5000u) << "the wait is bounded";
}

TEST (SingleInstance, GarbageFromAClientIsNotDeliveredAsText)
{
    const auto name = uniqueName();
    SingleInstance first (name);
    ASSERT_EQ (first.claimOrHandOver (""), SingleInstance::Outcome::primary);

    std::mutex lock;
    std::vector<juce::String> received;
    first.startListening ([&] (const juce::String& line) { const std::scoped_lock l (lock); received.push_back (line); });

    // Invalid UTF-8 arrives as an empty command line rather than mangled text.
    const char bytes[] = { '\xff', '\xfe', 'a', 0 };
    SingleInstance second (name);
    EXPECT_EQ (second.claimOrHandOver (juce::String (juce::CharPointer_UTF8 (bytes))), SingleInstance::Outcome::handedOver);
    first.stopListening();

    const std::scoped_lock l (lock);
    ASSERT_EQ (received.size(), 1u);
}
