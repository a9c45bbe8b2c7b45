#pragma once

#include "engine/PlgFileContents.h"
#include "state/SuitePaths.h"

namespace engine
{
/** The engine plug-in "ORX", embedded in the program. */
PlgFileContents EnginePlgContents();

/** Writes suite folder / "ORX.plg" from the embedded text, unless that text is empty. */
bool installEnginePlgFile (const SuitePaths& paths = SuitePaths::fromRunningExecutable());
} // namespace engine
