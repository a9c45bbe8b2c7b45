#include "app/RegisterAllProducts.h"
#include "PlgData.h"
#include "app/AppInfo.h"
#include "engine/comm/Comm.h"
#include "fk/Forkel.h"
#include "fk/ui/FkGadget.h"
#include "frt/Frettle.h"
#include "frt/ui/FrtGadget.h"
#include "fry/Ferrymo.h"
#include "fry/ui/FryGadget.h"
#include "kvn/Keyvane.h"
#include "kvn/ui/KvGadget.h"
#include "lv/Layvo.h"
#include "lv/ui/LvGadget.h"
#include "ly/Lyrel.h"
#include "ly/ui/LyGadget.h"
#include "orv/Orvana.h"
#include "orv/ui/config/ConfigWin.h"
#include "orv/ui/tracker/TrackerWin.h"
#include "orv/ui/tracker/au/AuMod.h"
#include "orv/ui/tracker/au/pref/AuPref.h"
#include "orv/ui/wizard/WizardManager.h"
#include "platform/ProcessControl.h"
#include "pnt/Pennat.h"
#include "pnt/ui/PntGadget.h"
#include "products/ProductRegistrar.h"
#include "sd/Stridel.h"
#include "sd/ui/SdGadget.h"
#include "tsl/Tessel.h"
#include "tsl/ui/TslGadget.h"

namespace
{
PlgFileContents plugin (const char* gzipData, int size)
{
    return {gzipData, static_cast<size_t> (size)};
}

/** Orvana's plug-in key wizard, given the application's names and the product's channel. */
std::unique_ptr<orv::IOrvWizard> makeOrvWizard (orv::IOrvana& orvana, const ProductContext& context)
{
    orv::wizard::WizardDeps deps;
    deps.facts.appName = appInfo::getAppName();
    deps.facts.appNameWithVersion = appInfo::getAppNameWithVersion();
    deps.facts.shortName = appInfo::getAppShortName();
    deps.facts.supportEmail = appInfo::getSupportEmail();
    deps.facts.webSiteUrl = appInfo::getWebSiteUrl();
    deps.keyChannel = context.comm;
    deps.ui = &context.ui;
    deps.invocationMode = [channel = context.comm]
    { return channel != nullptr ? channel->getHostScriptInvocationMode() : 1; };
    deps.activateSystemSettings = []
    { platform::activateApplication ("com.apple.systempreferences"); };
    auto manager = std::make_unique<orv::wizard::WizardManager> (orvana, std::move (deps));

    // The preferences window holds the automation lanes' preferences; its
    // "Save Preferences" hands the panels to the lane module before the file is written.
    manager->onConfigWinMade = [&orvana] (orv::config::ConfigWin& window)
    {
        auto* lanes = dynamic_cast<orv::tracker::au::AuMod*> (orvana.getAuMod());

        if (lanes == nullptr)
            return;

        auto panel = std::make_unique<orv::tracker::au::pref::AuPref> (*lanes, [&orvana]
                                                                       { orvana.savePreferences(); });
        auto* shown = panel.get();
        window.setLanePreferences (std::move (panel), [shown]
                                   { shown->save(); });
    };
    return manager;
}
} // namespace

void zel_registerAllProducts (ProductRegistry& registry)
{
    // One registrar per product, in table order:
    // "ORV", "LY", "PNT", "SD", "FK", "KV", "LV", "TSL", "FRT", "FRY".
    const ProductRegistrar<orv::Orvana> orvana (registry, plugin (PlgData::ORV_Orvana_plg_gz, PlgData::ORV_Orvana_plg_gzSize),
                                                [] (const ProductContext& context)
                                                {
                                                    orv::Orvana::Seams seams;
                                                    seams.makeEditor = &orv::tracker::TrackerWin::makeWindow;
                                                    seams.makeWizard = [context] (orv::IOrvana& product)
                                                    { return makeOrvWizard (product, context); };
                                                    auto product = std::make_unique<orv::Orvana> (context, std::move (seams));
                                                    product->setAuMod (std::make_unique<orv::tracker::au::AuMod> (product->getPreferences()));
                                                    return product; });
    const ProductRegistrar<ly::Lyrel> lyrel (registry, plugin (PlgData::ORV_Lyrel_plg_gz, PlgData::ORV_Lyrel_plg_gzSize),
                                             [] (const ProductContext& context)
                                             { return std::make_unique<ly::Lyrel> (context, &ly::LyGadget::makeWindow); });
    const ProductRegistrar<pnt::Pennat> pennat (registry, plugin (PlgData::ORV_Pennat_plg_gz, PlgData::ORV_Pennat_plg_gzSize),
                                                [] (const ProductContext& context)
                                                { return std::make_unique<pnt::Pennat> (context, &pnt::PntGadget::makeWindow); });
    const ProductRegistrar<sd::Stridel> stridel (registry, plugin (PlgData::ORV_Stridel_plg_gz, PlgData::ORV_Stridel_plg_gzSize),
                                                 [] (const ProductContext& context)
                                                 { return std::make_unique<sd::Stridel> (context, &sd::SdGadget::makeWindow); });
    const ProductRegistrar<fk::Forkel> forkel (registry, plugin (PlgData::ORV_Forkel_plg_gz, PlgData::ORV_Forkel_plg_gzSize),
                                               [] (const ProductContext& context)
                                               { return std::make_unique<fk::Forkel> (context, &fk::FkGadget::makeWindow); });
    const ProductRegistrar<kvn::Keyvane> keyvane (registry, plugin (PlgData::ORV_Keyvane_plg_gz, PlgData::ORV_Keyvane_plg_gzSize),
                                                  [] (const ProductContext& context)
                                                  { return std::make_unique<kvn::Keyvane> (context, &kv::KvGadget::makeWindow); });
    const ProductRegistrar<lv::Layvo> layvo (registry, plugin (PlgData::ORV_Layvo_plg_gz, PlgData::ORV_Layvo_plg_gzSize),
                                             [] (const ProductContext& context)
                                             { return std::make_unique<lv::Layvo> (context, &lv::LvGadget::makeWindow); });
    const ProductRegistrar<tsl::Tessel> tessel (registry, plugin (PlgData::ORV_Tessel_plg_gz, PlgData::ORV_Tessel_plg_gzSize),
                                                [] (const ProductContext& context)
                                                { return std::make_unique<tsl::Tessel> (context, &tsl::TslGadget::makeWindow); });
    const ProductRegistrar<frt::Frettle> frettle (registry, plugin (PlgData::ORV_Frettle_plg_gz, PlgData::ORV_Frettle_plg_gzSize),
                                                  [] (const ProductContext& context)
                                                  { return std::make_unique<frt::Frettle> (context, &frt::FrtGadget::makeWindow); });
    const ProductRegistrar<fry::Ferrymo> ferrymo (registry, plugin (PlgData::ORV_Ferrymo_plg_gz, PlgData::ORV_Ferrymo_plg_gzSize),
                                                  [] (const ProductContext& context)
                                                  { return std::make_unique<fry::Ferrymo> (context, &fry::FryGadget::makeWindow); });
}
