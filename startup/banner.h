#pragma once

#include <QPixmap>

// The start-up window's banner, 454 x 139 pixels, drawn at run time.
QPixmap makeBanner();
