#include "engine/EnginePlg.h"
#include "PlgData.h"

namespace engine
{
PlgFileContents EnginePlgContents()
{
    return {PlgData::ORX_plg_gz, static_cast<size_t> (PlgData::ORX_plg_gzSize)};
}

bool installEnginePlgFile (const SuitePaths& paths)
{
    const auto text = EnginePlgContents().get();

    if (text.isEmpty())
        return false;

    return plgfile::write (paths.getSuiteFolder().getChildFile ("ORX.plg"), text);
}
} // namespace engine
