#include "app/RegisterAllProducts.h"
#include "PlgData.h"
#include "fry/Ferrymo.h"
#include "fry/ui/FryGadget.h"
#include "kvn/Keyvane.h"
#include "kvn/ui/KvGadget.h"
#include "lv/Layvo.h"
#include "lv/ui/LvGadget.h"
#include "products/ProductRegistrar.h"

namespace
{
PlgFileContents plugin (const char* gzipData, int size)
{
    return {gzipData, static_cast<size_t> (size)};
}
} // namespace

void zel_registerAllProducts (ProductRegistry& registry)
{
    // One registrar per product, in table order:
    // "ORV", "LY", "PNT", "SD", "FK", "KV", "LV", "TSL", "FRT", "FRY".
    const ProductRegistrar<kvn::Keyvane> keyvane (registry, plugin (PlgData::ORV_Keyvane_plg_gz, PlgData::ORV_Keyvane_plg_gzSize),
                                                  [] (const ProductContext& context)
                                                  { return std::make_unique<kvn::Keyvane> (context, &kv::KvGadget::makeWindow); });
    const ProductRegistrar<lv::Layvo> layvo (registry, plugin (PlgData::ORV_Layvo_plg_gz, PlgData::ORV_Layvo_plg_gzSize),
                                             [] (const ProductContext& context)
                                             { return std::make_unique<lv::Layvo> (context, &lv::LvGadget::makeWindow); });
    const ProductRegistrar<fry::Ferrymo> ferrymo (registry, plugin (PlgData::ORV_Ferrymo_plg_gz, PlgData::ORV_Ferrymo_plg_gzSize),
                                                  [] (const ProductContext& context)
                                                  { return std::make_unique<fry::Ferrymo> (context, &fry::FryGadget::makeWindow); });
}
