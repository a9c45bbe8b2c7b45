#pragma once

class ProductRegistry;

/** Registers every product of the suite, in the order of the product table. */
void zel_registerAllProducts (ProductRegistry& registry);
