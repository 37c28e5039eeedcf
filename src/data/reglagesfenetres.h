#pragma once
// The parts of the settings that need widgets: window positions and the colour dialog that
// remembers its custom colours.
//
// Window positions of a form whose class is C (say TFormClient): N is C without its first
// letter ("FormClient"); the values N + "X", "Y", "W", "H" live in the sub-key named N without
// its leading "Form" ("Client") of the current path, or in the current path itself when that
// sub-key does not exist. Nothing is read or written while the position switch given to
// OuvreLocalisation is off.

#include <QString>

#include "base/tcolor.h"

class QWidget;

// "TFormClient" -> "FormClient", the prefix of the value names.
QString NomPositionFiche(const QWidget* xFiche);

// Fixed-size forms: moves the form to its stored place. True when a place was stored.
bool LitPosition(QWidget* xFiche);
// Sizeable forms: applies the stored size (when both exceed 10 pixels) and place; with none
// stored, centres the form on the screen. True when a place was stored.
bool LitPositionTaille(QWidget* xFiche);
void SauvePosition(QWidget* xFiche);
void SauvePositionTaille(QWidget* xFiche);

// Opens the colour dialog on iInitiale with the sixteen custom colours kept in
// "CustomColor" (base key). When the user confirms: iCouleur := the chosen colour, the custom
// colours are written back, and the result is true.
bool ChoisitCouleur(TColor iInitiale, TColor& iCouleur);
