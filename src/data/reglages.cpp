#include "data/reglages.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include "data/fichierreg.h"

namespace {

const QString kLogiciel = QStringLiteral("\\Software");
const QString kEditeur = QStringLiteral("Vurt");
const QString kEditeurAncien = QStringLiteral("Kemba");
const QString kFormatDate = QStringLiteral("dd/MM/yyyy");
constexpr qint64 kTailleMaxImport = 64ll * 1024 * 1024;

// Runs an operation in a section and comes back to the base path, whatever happens.
class TDansSection {
 public:
  TDansSection(TReglages& reglages, const QString& chSection) : FReglages(reglages) {
    FReglages.Section(chSection);
  }
  ~TDansSection() { FReglages.Section(QString()); }

 private:
  TReglages& FReglages;
};

}  // namespace

TReglages::TReglages(const QString& chFichier) : FRegistre(std::make_unique<TRegistre>(chFichier)) {}

void TReglages::ChangeFichier(const QString& chFichier) {
  FRegistre = std::make_unique<TRegistre>(chFichier);
  FCheminBase.clear();
  FCheminCourant.clear();
  FRetenirPositions = false;
  FDerniereErreur.clear();
}

QString TReglages::CleStore(const QString& chChemin) { return FichierReg::Racine + chChemin; }

void TReglages::Retient(const EErreur& e) {
  FDerniereErreur = e.Message();
  qWarning("%s", qUtf8Printable(e.Message()));
}

void TReglages::OuvreLocalisation(const QString& chProduit, bool bRetenirPositions) {
  FRetenirPositions = bRetenirPositions;
  const QString vurt = kLogiciel + QLatin1Char('\\') + kEditeur + QLatin1Char('\\') + chProduit;
  const QString kemba = kLogiciel + QLatin1Char('\\') + kEditeurAncien + QLatin1Char('\\') + chProduit;
  FCheminBase = vurt;
  FCheminCourant = vurt;
  bool bKemba = false;
  FRegistre->Modifie([&](TArbreRegistre& arbre) {
    arbre.Cree(DecoupeCheminRegistre(CleStore(kLogiciel)));
    bKemba = !arbre.Cherche(DecoupeCheminRegistre(CleStore(vurt))) &&
             arbre.Cherche(DecoupeCheminRegistre(CleStore(kemba)));
    if (!bKemba) arbre.Cree(DecoupeCheminRegistre(CleStore(vurt)));
  });
  if (bKemba) {
    FCheminBase = kemba;
    FCheminCourant = kemba;
  }
}

void TReglages::Section(const QString& chNom) {
  if (FCheminBase.isEmpty()) return;
  if (chNom.isEmpty()) {
    FCheminCourant = FCheminBase;
    return;
  }
  FCheminCourant = FCheminBase + QLatin1Char('\\') + chNom;
  try {
    if (!FRegistre->CleExiste(CleStore(FCheminCourant))) FRegistre->CreeCle(CleStore(FCheminCourant));
  } catch (const EErreur& e) {
    Retient(e);
  }
}

std::optional<TValeurRegistre> TReglages::Lit(const QString& chNom) {
  if (FCheminCourant.isEmpty()) return std::nullopt;
  try {
    return FRegistre->LitValeur(CleStore(FCheminCourant), chNom);
  } catch (const EErreur& e) {
    Retient(e);
    return std::nullopt;
  }
}

void TReglages::Ecrit(const QString& chNom, const TValeurRegistre& valeur) {
  if (FCheminCourant.isEmpty()) return;
  try {
    if (valeur.Type == TValeurRegistre::vtEntier)
      FRegistre->EcritEntier(CleStore(FCheminCourant), chNom, valeur.Entier);
    else
      FRegistre->EcritTexte(CleStore(FCheminCourant), chNom, valeur.Texte);
  } catch (const EErreur& e) {
    Retient(e);
  }
}

int TReglages::LitEntier(const QString& chNom, int iDefaut) {
  const auto valeur = Lit(chNom);
  if (valeur && valeur->Type == TValeurRegistre::vtEntier) return valeur->Entier;
  // A decimal number written as text (a hand-written settings file) is read as the number
  // rather than replaced by the default.
  bool bOk = false;
  const int i = valeur ? valeur->Texte.trimmed().toInt(&bOk) : 0;
  if (bOk) return i;
  EcritEntier(chNom, iDefaut);
  return iDefaut;
}

bool TReglages::LitBooleen(const QString& chNom, bool bDefaut) {
  return LitEntier(chNom, bDefaut ? 1 : 0) != 0;
}

QString TReglages::LitTexte(const QString& chNom, const QString& chDefaut) {
  if (FCheminCourant.isEmpty()) return chDefaut;
  std::optional<TValeurRegistre> valeur;
  try {
    valeur = FRegistre->LitValeur(CleStore(FCheminCourant), chNom);
  } catch (const EErreur& e) {
    Retient(e);
    return chDefaut;
  }
  if (!valeur) {
    EcritTexte(chNom, chDefaut);
    return chDefaut;
  }
  if (valeur->Type != TValeurRegistre::vtTexte) return chDefaut;
  return valeur->Texte;
}

TDateTime TReglages::LitDate(const QString& chNom, TDateTime dtDefaut) {
  const QString texte = LitTexte(chNom, DateHeure::VersQDate(dtDefaut).toString(kFormatDate));
  const QDate date = QDate::fromString(texte.trimmed(), QStringLiteral("d/M/yyyy"));
  return date.isValid() ? DateHeure::DepuisQDate(date) : dtDefaut;
}

void TReglages::EcritBooleen(const QString& chNom, bool bValeur) {
  Ecrit(chNom, TValeurRegistre::DeEntier(bValeur ? 1 : 0));
}
void TReglages::EcritEntier(const QString& chNom, int iValeur) {
  Ecrit(chNom, TValeurRegistre::DeEntier(iValeur));
}
void TReglages::EcritTexte(const QString& chNom, const QString& chValeur) {
  Ecrit(chNom, TValeurRegistre::DeTexte(chValeur));
}
void TReglages::EcritDate(const QString& chNom, TDateTime dtValeur) {
  Ecrit(chNom, TValeurRegistre::DeTexte(DateHeure::VersQDate(dtValeur).toString(kFormatDate)));
}

bool TReglages::LitBooleen(const QString& chSection, const QString& chNom, bool bDefaut) {
  TDansSection s(*this, chSection);
  return LitBooleen(chNom, bDefaut);
}
int TReglages::LitEntier(const QString& chSection, const QString& chNom, int iDefaut) {
  TDansSection s(*this, chSection);
  return LitEntier(chNom, iDefaut);
}
QString TReglages::LitTexte(const QString& chSection, const QString& chNom, const QString& chDefaut) {
  TDansSection s(*this, chSection);
  return LitTexte(chNom, chDefaut);
}
TDateTime TReglages::LitDate(const QString& chSection, const QString& chNom, TDateTime dtDefaut) {
  TDansSection s(*this, chSection);
  return LitDate(chNom, dtDefaut);
}
void TReglages::EcritBooleen(const QString& chSection, const QString& chNom, bool bValeur) {
  TDansSection s(*this, chSection);
  EcritBooleen(chNom, bValeur);
}
void TReglages::EcritEntier(const QString& chSection, const QString& chNom, int iValeur) {
  TDansSection s(*this, chSection);
  EcritEntier(chNom, iValeur);
}
void TReglages::EcritTexte(const QString& chSection, const QString& chNom, const QString& chValeur) {
  TDansSection s(*this, chSection);
  EcritTexte(chNom, chValeur);
}
void TReglages::EcritDate(const QString& chSection, const QString& chNom, TDateTime dtValeur) {
  TDansSection s(*this, chSection);
  EcritDate(chNom, dtValeur);
}

bool TReglages::ImporteFichierReg(const QString& chFichier, bool bEcrase) {
  QFile fichier(chFichier);
  if (!QFileInfo(chFichier).isFile()) return false;
  if (!fichier.open(QIODevice::ReadOnly))
    throw EErreurRegistre(TCodeErreurRegistre::ecLecture,
                          QStringLiteral("Impossible de lire le fichier de registre \"%1\" : %2")
                              .arg(chFichier, fichier.errorString()),
                          0, fichier.error());
  if (fichier.size() > kTailleMaxImport)
    throw EErreurRegistre(TCodeErreurRegistre::ecTropLong,
                          QStringLiteral("Fichier de registre \"%1\" trop volumineux (%2 octets).")
                              .arg(chFichier)
                              .arg(fichier.size()));
  const QByteArray octets = fichier.readAll();
  if (fichier.error() != QFileDevice::NoError)
    throw EErreurRegistre(TCodeErreurRegistre::ecLecture,
                          QStringLiteral("Impossible de lire le fichier de registre \"%1\" : %2")
                              .arg(chFichier, fichier.errorString()),
                          0, fichier.error());
  // The whole file is checked before the store is touched.
  const TFichierReg contenu = FichierReg::Analyse(octets, chFichier);
  FRegistre->Modifie([&](TArbreRegistre& arbre) { FichierReg::Applique(contenu, arbre, bEcrase); });
  return true;
}

TReglages& Reglages() {
  static TReglages reglages(TRegistre::FichierParDefaut());
  return reglages;
}

TColor TexteVersCouleur(const QString& chTexte) {
  bool bOk = false;
  const qint64 n = chTexte.trimmed().toLongLong(&bOk);
  if (!bOk || n < INT32_MIN || n > UINT32_MAX) return clWindow;
  return static_cast<TColor>(static_cast<quint32>(n));
}

int NumeroSemaine(TDateTime dt) { return DateHeure::VersQDate(dt).weekNumber(); }
