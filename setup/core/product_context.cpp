#include "setup/core/product_context.h"

ProductContext& TheProductContext()
{
    static ProductContext context;
    return context;
}
