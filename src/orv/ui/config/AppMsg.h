#pragma once

namespace legacy
{
/** What the application tells its open windows. */
enum class AppMsg
{
    pluginKeyChanged ///< the plug-in key or its verification changed
};
} // namespace legacy
