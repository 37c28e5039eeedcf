#pragma once
#include <QColor>
#include <QPalette>

#include "base/tcolor.h"

// Converts a TColor to a QColor; system colours are taken from the palette (the
// application's palette when none is given). clNone gives a transparent colour.
QColor VersQColor(TColor c);
QColor VersQColor(TColor c, const QPalette& palette);
TColor DepuisQColor(const QColor& c);
