// Includes of the start-up folder.
#include "startup/HugePageMalloc.h"
#include <unistd.h>
#include "image/Bitmap.h" // expected violation
