#include "data/reglagesfenetres.h"

#include <QApplication>
#include <QColorDialog>
#include <QGuiApplication>
#include <QMetaObject>
#include <QRegularExpression>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "base/widgets/couleurs.h"
#include "data/reglages.h"

namespace {

const QString kCustomColor = QStringLiteral("CustomColor");
constexpr int kNbPersonnalisees = 16;

QSize TailleEcran() {
  const QScreen* ecran = QGuiApplication::primaryScreen();
  return ecran ? ecran->geometry().size() : QSize(0, 0);
}

// The key of the form's values, as the store names it: its own sub-key when it exists.
QString CleLecture(const QWidget* xFiche) {
  TReglages& r = Reglages();
  QString sousCle = NomPositionFiche(xFiche);
  if (sousCle.startsWith(QLatin1String("Form"))) sousCle = sousCle.mid(4);
  const QString propre = TReglages::CleStore(r.CheminCourant() + QLatin1Char('\\') + sousCle);
  try {
    if (r.Registre().CleExiste(propre)) return propre;
  } catch (const EErreur&) {
  }
  return TReglages::CleStore(r.CheminCourant());
}

QString CleEcriture(const QWidget* xFiche) {
  QString sousCle = NomPositionFiche(xFiche);
  if (sousCle.startsWith(QLatin1String("Form"))) sousCle = sousCle.mid(4);
  return TReglages::CleStore(Reglages().CheminCourant() + QLatin1Char('\\') + sousCle);
}

std::optional<int> LitEntierBrut(const QString& chCle, const QString& chNom) {
  try {
    const auto v = Reglages().Registre().LitValeur(chCle, chNom);
    if (v && v->Type == TValeurRegistre::vtEntier) return v->Entier;
  } catch (const EErreur&) {
  }
  return std::nullopt;
}

bool PositionsActives() {
  return Reglages().RetenirPositions() && !Reglages().CheminCourant().isEmpty();
}

struct TPosition {
  bool bStockee = false;
  int x = 0, y = 0, w = 0, h = 0;
};

// Stored values clamped to the screen: X and W to 0..width, Y and H to 0..height.
TPosition LitValeurs(const QWidget* xFiche) {
  TPosition p;
  if (!PositionsActives()) return p;
  const QString cle = CleLecture(xFiche);
  const QString n = NomPositionFiche(xFiche);
  const auto x = LitEntierBrut(cle, n + QLatin1Char('X'));
  const auto y = LitEntierBrut(cle, n + QLatin1Char('Y'));
  if (!x || !y) return p;
  const QSize ecran = TailleEcran();
  p.bStockee = true;
  p.x = std::clamp(*x, 0, ecran.width());
  p.y = std::clamp(*y, 0, ecran.height());
  p.w = std::clamp(LitEntierBrut(cle, n + QLatin1Char('W')).value_or(0), 0, ecran.width());
  p.h = std::clamp(LitEntierBrut(cle, n + QLatin1Char('H')).value_or(0), 0, ecran.height());
  return p;
}

void Sauve(QWidget* xFiche, bool bTaille) {
  if (!PositionsActives()) return;
  const QString cle = CleEcriture(xFiche);
  const QString n = NomPositionFiche(xFiche);
  try {
    Reglages().Registre().Modifie([&](TArbreRegistre& arbre) {
      TCleRegistre& c = arbre.Cree(DecoupeCheminRegistre(cle));
      c.EcritValeur(n + QLatin1Char('X'), TValeurRegistre::DeEntier(xFiche->x()));
      c.EcritValeur(n + QLatin1Char('Y'), TValeurRegistre::DeEntier(xFiche->y()));
      if (bTaille) {
        c.EcritValeur(n + QLatin1Char('W'), TValeurRegistre::DeEntier(xFiche->width()));
        c.EcritValeur(n + QLatin1Char('H'), TValeurRegistre::DeEntier(xFiche->height()));
      }
    });
  } catch (const EErreur&) {
    // A position that cannot be saved is not worth stopping the closing of a window.
  }
}

}  // namespace

QString NomPositionFiche(const QWidget* xFiche) {
  QString classe = QString::fromLatin1(xFiche->metaObject()->className());
  const qsizetype deuxPoints = classe.lastIndexOf(QLatin1String("::"));
  if (deuxPoints >= 0) classe = classe.mid(deuxPoints + 2);
  return classe.mid(1);
}

bool LitPosition(QWidget* xFiche) {
  const TPosition p = LitValeurs(xFiche);
  if (p.bStockee) xFiche->move(p.x, p.y);
  return p.bStockee;
}

bool LitPositionTaille(QWidget* xFiche) {
  const TPosition p = LitValeurs(xFiche);
  if (p.bStockee) {
    if (p.w > 10 && p.h > 10) xFiche->resize(p.w, p.h);
    xFiche->move(p.x, p.y);
  } else {
    const QSize ecran = TailleEcran();
    xFiche->move((ecran.width() - xFiche->width()) / 2, (ecran.height() - xFiche->height()) / 2);
  }
  return p.bStockee;
}

void SauvePosition(QWidget* xFiche) { Sauve(xFiche, false); }

void SauvePositionTaille(QWidget* xFiche) { Sauve(xFiche, true); }

namespace {

// "ColorA=FFFFFF" ... "ColorP=FFFFFF", one line per custom colour (TColor in hexadecimal).
QString CustomVersTexte() {
  QStringList lignes;
  for (int i = 0; i < kNbPersonnalisees; ++i)
    lignes << QStringLiteral("Color%1=").arg(QChar(u'A' + i)) +
                  QString::asprintf("%06X", static_cast<unsigned>(
                                                DepuisQColor(QColorDialog::customColor(i))));
  return lignes.join(QStringLiteral("\r\n"));
}

void TexteVersCustom(const QString& chTexte) {
  QColor couleurs[kNbPersonnalisees];
  for (QColor& c : couleurs) c = Qt::white;
  bool bOk = true;
  static const QRegularExpression kLigne(QStringLiteral("^Color([A-P])=([0-9A-Fa-f]{1,8})$"));
  for (const QString& brute : chTexte.split(QRegularExpression(QStringLiteral("[\r\n]+")),
                                            Qt::SkipEmptyParts)) {
    const auto m = kLigne.match(brute.trimmed());
    if (!m.hasMatch()) {
      bOk = false;
      break;
    }
    const TColor c = static_cast<TColor>(m.captured(2).toUInt(nullptr, 16));
    couleurs[m.captured(1).at(0).unicode() - u'A'] = VersQColor(c);
  }
  // A list that cannot be read is cleared rather than half applied.
  for (int i = 0; i < kNbPersonnalisees; ++i)
    QColorDialog::setCustomColor(i, bOk ? couleurs[i] : QColor(Qt::white));
}

}  // namespace

bool ChoisitCouleur(TColor iInitiale, TColor& iCouleur) {
  TReglages& r = Reglages();
  const QString cle = TReglages::CleStore(r.CheminBase());
  QString texte;
  if (!r.CheminBase().isEmpty()) {
    try {
      const auto v = r.Registre().LitValeur(cle, kCustomColor);
      if (v && v->Type == TValeurRegistre::vtTexte) texte = v->Texte;
    } catch (const EErreur&) {
    }
  }
  TexteVersCustom(texte);

  QColorDialog dialogue(VersQColor(iInitiale), QApplication::activeWindow());
  dialogue.setOption(QColorDialog::DontUseNativeDialog);
  if (dialogue.exec() != QDialog::Accepted) return false;
  iCouleur = DepuisQColor(dialogue.selectedColor());
  if (!r.CheminBase().isEmpty()) {
    try {
      r.Registre().EcritTexte(cle, kCustomColor, CustomVersTexte());
    } catch (const EErreur&) {
    }
  }
  return true;
}
