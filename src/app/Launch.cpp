#include "app/Launch.h"
#include "app/App.h"
#include "platform/SingleInstance.h"

namespace app
{
namespace
{
juce::JUCEApplicationBase* createApp()
{
    return new App();
}

juce::String joinArguments (int argc, char* argv[])
{
    juce::StringArray args;

    for (int i = 1; i < argc; ++i)
        args.add (juce::String::fromUTF8 (argv[i]));

    return args.joinIntoString (" ");
}
} // namespace

int launch (int argc, char* argv[])
{
    using platform::SingleInstance;

    const auto executable = juce::File::getSpecialLocation (juce::File::currentExecutableFile);
    auto instance = std::make_unique<SingleInstance> (SingleInstance::socketNameForExecutable (executable));

    switch (instance->claimOrHandOver (joinArguments (argc, argv)))
    {
        case SingleInstance::Outcome::handedOver:
            return 0;
        case SingleInstance::Outcome::foreignOwner:
            std::cerr << "A process of another user holds this suite's instance name; giving up." << std::endl;
            return 1;
        case SingleInstance::Outcome::failed:
            std::cerr << "The running instance did not answer; giving up." << std::endl;
            return 1;
        case SingleInstance::Outcome::primary:
            break;
    }

    SingleInstance::setProcessInstance (std::move (instance));
    juce::JUCEApplicationBase::createInstance = &createApp;
    const auto result = juce::JUCEApplicationBase::main (argc, const_cast<const char**> (argv));
    SingleInstance::releaseProcessInstance();
    return result;
}
} // namespace app
