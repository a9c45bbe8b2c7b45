#include "app/RegisterAllProducts.h"
#include "PlgData.h"
#include "fry/Ferrymo.h"
#include "fry/ui/FryGadget.h"
#include "products/ProductRegistrar.h"
#include "tsl/Tessel.h"
#include "tsl/ui/TslGadget.h"

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
    const ProductRegistrar<tsl::Tessel> tessel (registry, plugin (PlgData::ORV_Tessel_plg_gz, PlgData::ORV_Tessel_plg_gzSize),
                                                [] (const ProductContext& context)
                                                { return std::make_unique<tsl::Tessel> (context, &tsl::TslGadget::makeWindow); });
    const ProductRegistrar<fry::Ferrymo> ferrymo (registry, plugin (PlgData::ORV_Ferrymo_plg_gz, PlgData::ORV_Ferrymo_plg_gzSize),
                                                  [] (const ProductContext& context)
                                                  { return std::make_unique<fry::Ferrymo> (context, &fry::FryGadget::makeWindow); });
}
