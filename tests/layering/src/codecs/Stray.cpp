// Includes of the codecs folder.
#include "canvas/tools/Tool.h" // expected violation
#include "codecs/bmp/BmpFormat.h"
#include "imaging/quantize/MedianCut.h"
#include <QFileDialog> // expected violation
#include <QtWidgets>   // expected violation
#include <png.h>
