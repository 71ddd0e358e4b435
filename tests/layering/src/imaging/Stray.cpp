// Includes of the imaging folder.
#include "canvas/PxImage.h"   // expected violation
#include "cli/Commands.h"     // expected violation
#include "codecs/bmp/LvDIB.h" // expected violation
#include "image/Bitmap.h"
#include "imaging/resample/Resize.h"
#include <QApplication>   // expected violation
#include <QPainter>       // expected violation
#include <QtGui/QPolygon> // expected violation
