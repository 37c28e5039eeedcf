#pragma once
// The program's settings: one base key per product under "\Software\<maker>" of the current
// user's tree, a current section below it, and typed readers in which a missing value is
// created with the default the caller passes. One TReglages serves the whole process
// (Reglages()); the free functions below work on it.
//
// Readers never throw: a store that cannot be read gives the defaults. Writers swallow their
// errors (a setting that cannot be saved must not stop the user's work); the last one is
// kept in DerniereErreur(). OuvreLocalisation and ImporteFichierReg do throw, for the
// start-up to report.

#include <QString>
#include <memory>

#include "base/datetime.h"
#include "base/tcolor.h"
#include "data/registre.h"

class TReglages {
 public:
  explicit TReglages(const QString& chFichier);

  TRegistre& Registre() { return *FRegistre; }
  // Works on another store file from now on; the location must be opened again.
  void ChangeFichier(const QString& chFichier);

  // Selects "\Software\Vurt\<product>" or, when only that exists, "\Software\Kemba\<product>",
  // creating the first when neither exists, and makes it the base and current path. Sets the
  // window-position switch. Throws EErreurRegistre when the store cannot be read or written
  // (the paths are set all the same, so that the readers give their defaults).
  void OuvreLocalisation(const QString& chProduit, bool bRetenirPositions);
  // Current path := base path + "\" + name (created when missing); "" returns to the base.
  void Section(const QString& chNom);

  // Paths below HKEY_CURRENT_USER, with a leading backslash; empty before OuvreLocalisation.
  const QString& CheminBase() const { return FCheminBase; }
  const QString& CheminCourant() const { return FCheminCourant; }
  bool RetenirPositions() const { return FRetenirPositions; }
  // "HKEY_CURRENT_USER" + chChemin: the key as the store names it.
  static QString CleStore(const QString& chChemin);

  bool LitBooleen(const QString& chNom, bool bDefaut);
  int LitEntier(const QString& chNom, int iDefaut);
  QString LitTexte(const QString& chNom, const QString& chDefaut);
  TDateTime LitDate(const QString& chNom, TDateTime dtDefaut);
  void EcritBooleen(const QString& chNom, bool bValeur);
  void EcritEntier(const QString& chNom, int iValeur);
  void EcritTexte(const QString& chNom, const QString& chValeur);
  void EcritDate(const QString& chNom, TDateTime dtValeur);

  // Section variants: select the section, run, return to the base path.
  bool LitBooleen(const QString& chSection, const QString& chNom, bool bDefaut);
  int LitEntier(const QString& chSection, const QString& chNom, int iDefaut);
  QString LitTexte(const QString& chSection, const QString& chNom, const QString& chDefaut);
  TDateTime LitDate(const QString& chSection, const QString& chNom, TDateTime dtDefaut);
  void EcritBooleen(const QString& chSection, const QString& chNom, bool bValeur);
  void EcritEntier(const QString& chSection, const QString& chNom, int iValeur);
  void EcritTexte(const QString& chSection, const QString& chNom, const QString& chValeur);
  void EcritDate(const QString& chSection, const QString& chNom, TDateTime dtValeur);

  // A text literal would silently turn into a true default: refuse it.
  bool LitBooleen(const QString&, const char*) = delete;
  void EcritBooleen(const QString&, const char*) = delete;

  // Imports a registry export file; false when it does not exist. With bEcrase false only
  // missing values are added. A file that cannot be read, is malformed, truncated, in the
  // wrong encoding or holds a value too long throws EErreurRegistre and nothing is imported.
  bool ImporteFichierReg(const QString& chFichier, bool bEcrase);

  // Message of the last error swallowed by a reader or writer; empty when none.
  const QString& DerniereErreur() const { return FDerniereErreur; }

 private:
  std::optional<TValeurRegistre> Lit(const QString& chNom);
  void Ecrit(const QString& chNom, const TValeurRegistre& valeur);
  void Retient(const EErreur& e);

  std::unique_ptr<TRegistre> FRegistre;
  QString FCheminBase;
  QString FCheminCourant;
  bool FRetenirPositions = false;
  QString FDerniereErreur;
};

// The process-wide settings, on TRegistre::FichierParDefaut() until told otherwise.
TReglages& Reglages();

inline void OuvreLocalisation(const QString& chProduit, bool bRetenirPositions) {
  Reglages().OuvreLocalisation(chProduit, bRetenirPositions);
}
inline void Section(const QString& chNom) { Reglages().Section(chNom); }
inline bool LitBooleen(const QString& chNom, bool bDefaut) { return Reglages().LitBooleen(chNom, bDefaut); }
inline int LitEntier(const QString& chNom, int iDefaut) { return Reglages().LitEntier(chNom, iDefaut); }
inline QString LitTexte(const QString& chNom, const QString& chDefaut) {
  return Reglages().LitTexte(chNom, chDefaut);
}
inline TDateTime LitDate(const QString& chNom, TDateTime dtDefaut) {
  return Reglages().LitDate(chNom, dtDefaut);
}
inline void EcritBooleen(const QString& chNom, bool bValeur) { Reglages().EcritBooleen(chNom, bValeur); }
inline void EcritEntier(const QString& chNom, int iValeur) { Reglages().EcritEntier(chNom, iValeur); }
inline void EcritTexte(const QString& chNom, const QString& chValeur) {
  Reglages().EcritTexte(chNom, chValeur);
}
inline void EcritDate(const QString& chNom, TDateTime dtValeur) { Reglages().EcritDate(chNom, dtValeur); }
inline bool LitBooleen(const QString& chSection, const QString& chNom, bool bDefaut) {
  return Reglages().LitBooleen(chSection, chNom, bDefaut);
}
inline int LitEntier(const QString& chSection, const QString& chNom, int iDefaut) {
  return Reglages().LitEntier(chSection, chNom, iDefaut);
}
inline QString LitTexte(const QString& chSection, const QString& chNom, const QString& chDefaut) {
  return Reglages().LitTexte(chSection, chNom, chDefaut);
}
inline TDateTime LitDate(const QString& chSection, const QString& chNom, TDateTime dtDefaut) {
  return Reglages().LitDate(chSection, chNom, dtDefaut);
}
inline void EcritBooleen(const QString& chSection, const QString& chNom, bool bValeur) {
  Reglages().EcritBooleen(chSection, chNom, bValeur);
}
inline void EcritEntier(const QString& chSection, const QString& chNom, int iValeur) {
  Reglages().EcritEntier(chSection, chNom, iValeur);
}
inline void EcritTexte(const QString& chSection, const QString& chNom, const QString& chValeur) {
  Reglages().EcritTexte(chSection, chNom, chValeur);
}
inline void EcritDate(const QString& chSection, const QString& chNom, TDateTime dtValeur) {
  Reglages().EcritDate(chSection, chNom, dtValeur);
}
bool LitBooleen(const QString&, const char*) = delete;
void EcritBooleen(const QString&, const char*) = delete;
inline bool ImporteFichierReg(const QString& chFichier, bool bEcrase) {
  return Reglages().ImporteFichierReg(chFichier, bEcrase);
}

// A colour written as a decimal integer ("255", or "-16777211" / "4278190085" for a system
// colour); an empty or invalid text gives the window colour.
TColor TexteVersCouleur(const QString& chTexte);

// ISO 8601 week number, 1..53: weeks begin on Monday and week 1 holds the year's first
// Thursday, so the last days of December may be in week 1 and the first days of January in
// week 52 or 53 of the year before.
int NumeroSemaine(TDateTime dt);
