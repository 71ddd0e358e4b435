// Includes of the codecs folder.
#include "codecs/bmp/BmpFormat.h"
#include "imaging/quantize/MedianCut.h"
#include <png.h>
#include "canvas/tools/Tool.h" // expected violation
#include <QtWidgets> // expected violation
#include <QFileDialog> // expected violation
