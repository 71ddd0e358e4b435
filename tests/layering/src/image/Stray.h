// Includes of the image folder: what is allowed and what is not.
#include "../canvas/PxImage.h" // expected violation
#include "Local.h"
#include "app/mainform/MainForm.h" // expected violation
#include "codecs/FormatDispatch.h" // expected violation
#include "config/IniText.h"        // expected violation
#include "image/Bitmap.h"
#include "imaging/raster/PenStroke.h" // expected violation
#include <QImage>                     // expected violation
#include <QPoint>
#include <QRegion>           // expected violation
#include <QWidget>           // expected violation
#include <QtWidgets/QWidget> // expected violation
#include <vector>
