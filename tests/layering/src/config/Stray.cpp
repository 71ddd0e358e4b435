// Includes of the config folder: QtCore only.
#include "config/IniText.h"
#include "image/Bitmap.h" // expected violation
#include <QString>
#include <QtCore/QByteArray>
#include <QtGui/QImage> // expected violation
