#include "tsl/FactoryTemplateMgr.h"
#include "TemplateData.h"
#include "utils/AtomicFile.h"

namespace tsl
{
FactoryTemplateMgr::FactoryTemplateMgr (TslState stateToUse, std::function<juce::File()> preferencesFolderToUse, std::function<bool()> storeToUse)
    : state (std::move (stateToUse))
    , preferencesFolder (std::move (preferencesFolderToUse))
    , store (std::move (storeToUse))
{
}

juce::File FactoryTemplateMgr::getTemplateFile() const
{
    return preferencesFolder().getChildFile (folderName).getChildFile (templateFileName);
}

juce::MemoryBlock FactoryTemplateMgr::getEmbeddedTemplate()
{
    juce::MemoryInputStream compressed (TemplateData::TSX_PARTS_TEMPLATE_sib_gz, static_cast<size_t> (TemplateData::TSX_PARTS_TEMPLATE_sib_gzSize), false);
    juce::GZIPDecompressorInputStream gzip (&compressed, false, juce::GZIPDecompressorInputStream::gzipFormat);
    juce::MemoryOutputStream bytes;
    bytes.writeFromInputStream (gzip, -1);
    return bytes.getMemoryBlock();
}

bool FactoryTemplateMgr::ensureInstalled()
{
    const auto file = getTemplateFile();

    if (!file.existsAsFile())
    {
        const auto folder = file.getParentDirectory();

        if (!utils::files::makeFolder (folder))
            return false;

        const auto bytes = getEmbeddedTemplate();

        if (bytes.isEmpty() || !utils::files::replaceFileAtomically (file, bytes.getData(), bytes.getSize()))
            return false;
    }

    if (state.getPartTemplateFile().isNotEmpty())
        return false;

    state.setPartTemplateFile (file.getFullPathName());
    return true;
}

void FactoryTemplateMgr::ensureAndPersistIfNeeded()
{
    if (ensureInstalled() && store != nullptr)
        store();
}
} // namespace tsl
