// Includes of the image folder: what is allowed and what is not.
#include "image/Bitmap.h"
#include "Local.h"
#include <QImage> // expected violation
#include <QRegion> // expected violation
#include <QPoint>
#include <vector>
#include <QtWidgets/QWidget> // expected violation
#include <QWidget> // expected violation
#include "imaging/raster/PenStroke.h" // expected violation
#include "codecs/FormatDispatch.h" // expected violation
#include "config/IniText.h" // expected violation
#include "app/mainform/MainForm.h" // expected violation
#include "../canvas/PxImage.h" // expected violation
