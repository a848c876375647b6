// Keeps the Mesa driver loaded in sanitizer builds.
#include "base/driver_pin.h"

#include <dlfcn.h>

void pinGraphicsDriver() {
#ifdef RAMPIX_MESA_DRIVER
    dlopen(RAMPIX_MESA_DRIVER, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
#endif
}
