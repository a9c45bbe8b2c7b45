#include "products/RegisterAllProducts.h"
#include "fry/Ferrymo.h"
#include "products/ProductRegistrar.h"

void zel_registerAllProducts (ProductRegistry& registry)
{
    // One registrar per product, in table order:
    // "ORV", "LY", "PNT", "SD", "FK", "KV", "LV", "TSL", "FRT", "FRY".
    const ProductRegistrar<fry::Ferrymo> ferrymo (registry);
}
