#include "base/widgets/couleurs.h"

#include <QGuiApplication>

namespace {

QColor CouleurDuSysteme(int index, const QPalette& p) {
  using R = QPalette::ColorRole;
  switch (index) {
    case 0: return p.color(R::Button);               // scroll bar
    case 1: return p.color(R::Dark);                 // desktop
    case 2: case 27: case 13: case 29: return p.color(R::Highlight);
    case 3: case 28: return p.color(QPalette::Inactive, R::Highlight);
    case 4: case 30: return p.color(R::Window);      // menu
    case 5: return p.color(R::Base);                 // window
    case 6: return p.color(R::Shadow);               // window frame
    case 7: return p.color(R::WindowText);           // menu text
    case 8: return p.color(R::Text);                 // window text
    case 9: case 14: return p.color(R::HighlightedText);
    case 10: case 11: return p.color(R::Button);
    case 12: return p.color(R::Mid);                 // workspace
    case 15: return p.color(R::Button);              // button face
    case 16: return p.color(R::Dark);                // button shadow
    case 17: return p.color(QPalette::Disabled, R::Text);
    case 18: return p.color(R::ButtonText);
    case 19: return p.color(QPalette::Inactive, R::HighlightedText);
    case 20: return p.color(R::Light);               // button highlight
    case 21: return p.color(R::Shadow);
    case 22: return p.color(R::Midlight);
    case 23: return p.color(R::ToolTipText);
    case 24: return p.color(R::ToolTipBase);
    case 26: return p.color(R::Link);
    default: return p.color(R::Window);
  }
}

}  // namespace

QColor VersQColor(TColor c, const QPalette& palette) {
  if (c == clNone) return QColor(Qt::transparent);
  if (EstCouleurSysteme(c)) return CouleurDuSysteme(c & 0xFF, palette);
  return QColor(RougeDe(c), VertDe(c), BleuDe(c));
}

QColor VersQColor(TColor c) {
  if (EstCouleurSysteme(c)) return VersQColor(c, QGuiApplication::palette());
  return VersQColor(c, QPalette());
}

TColor DepuisQColor(const QColor& c) {
  if (!c.isValid() || c.alpha() == 0) return clNone;
  return RGBCouleur(c.red(), c.green(), c.blue());
}
