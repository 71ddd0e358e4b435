// Includes of the config folder: QtCore only.
#include "config/IniText.h"
#include <QString>
#include <QtCore/QByteArray>
#include <QtGui/QImage> // expected violation
#include "image/Bitmap.h" // expected violation
