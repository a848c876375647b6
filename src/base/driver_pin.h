// Sanitizer builds keep Mesa's driver loaded until the process ends, so that LeakSanitizer can
// attribute (and the suppression file can name) the driver's own allocations. A no-op otherwise.
#pragma once

void pinGraphicsDriver();
