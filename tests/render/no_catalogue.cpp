// Stands in for the picture catalogue while there is none: nothing is found.
#include "render/catalogue.h"

bool findResource(ResourceType, int, ResourceData&) {
    return false;
}
