#include "gui/MessageManager.h"

namespace gui
{
JUCE_IMPLEMENT_SINGLETON (MessageManager)

MessageManager::MessageManager() = default;

MessageManager::~MessageManager()
{
    clearSingletonInstance();
}
} // namespace gui
