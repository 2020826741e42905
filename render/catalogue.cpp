// Lookup of the embedded pictures, sounds and icon. The build turns each file
// of resources/ into a byte array and lists them in catalogue_table.inc as
// VELNO_RESOURCE(type, number, symbol).
#include "render/catalogue.h"

#define VELNO_RESOURCE(type, number, symbol) \
    extern const unsigned char symbol[];     \
    extern const std::size_t symbol##_size;
#include "catalogue_table.inc"
#undef VELNO_RESOURCE

namespace {

struct Entry {
    ResourceType type;
    int number;
    const unsigned char* data;
    const std::size_t* size;
};

const Entry entries[] = {
#define VELNO_RESOURCE(type, number, symbol) {ResourceType::type, number, symbol, &symbol##_size},
#include "catalogue_table.inc"
#undef VELNO_RESOURCE
};

}  // namespace

bool findResource(ResourceType type, int number, ResourceData& out) {
    for (const Entry& e : entries) {
        if (e.type == type && e.number == number) {
            out.data = e.data;
            out.size = *e.size;
            return true;
        }
    }
    return false;
}
