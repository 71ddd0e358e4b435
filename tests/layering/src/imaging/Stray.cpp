// Includes of the imaging folder.
#include "image/Bitmap.h"
#include "imaging/resample/Resize.h"
#include <QPainter> // expected violation
#include <QtGui/QPolygon> // expected violation
#include "codecs/bmp/LvDIB.h" // expected violation
#include "cli/Commands.h" // expected violation
#include <QApplication> // expected violation
  #  include "canvas/PxImage.h" // expected violation
