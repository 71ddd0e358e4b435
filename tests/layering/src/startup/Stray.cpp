// Includes of the start-up folder.
#include "image/Bitmap.h" // expected violation
#include "startup/HugePageMalloc.h"
#include <unistd.h>
