#include "state/UiStateManager.h"
#include "state/SuitePaths.h"
#include "utils/AtomicFile.h"

std::unique_ptr<UiStateManager> UiStateManager::instance;

UiStateManager::UiStateManager (const juce::File& suiteFolder)
    : database ("App/temp", "uiState", suiteFolder)
{
    // Start from what the file holds: the file is rewritten whole at
    // shutdown, and a view that was not opened in this run must find its
    // window state again in the next one.
    database.loadFileToMap();
    sections = database.getContent();
}

UiStateManager& UiStateManager::createInstance (const juce::File& suiteFolder)
{
    instance.reset (new UiStateManager (suiteFolder));
    return *instance;
}

UiStateManager& UiStateManager::getInstance()
{
    if (instance == nullptr)
        return createInstance (SuitePaths::fromRunningExecutable().getSuiteFolder());

    return *instance;
}

UiStateManager* UiStateManager::getInstanceWithoutCreating()
{
    return instance.get();
}

void UiStateManager::deleteInstance()
{
    instance.reset();
}

juce::String UiStateManager::loadVarFromFile (const juce::String& section, const juce::String& key)
{
    return database.loadVarFromFile (section, key);
}

juce::String UiStateManager::buildFileText() const
{
    juce::String text;

    for (const auto& [section, vars] : sections)
    {
        text << "\r\n[" << section << "]\r\n";

        for (const auto& [key, value] : vars)
            text << key << "=" << value << "\r\n";
    }

    return text;
}

bool UiStateManager::storeUiState()
{
    return utils::files::replaceFileAtomically (database.getDatabaseFile(), buildFileText());
}
