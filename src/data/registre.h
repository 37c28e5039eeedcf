#pragma once
// The settings store of one user: a tree of keys and typed values kept in one file, in
// registry export text. Reads come from a copy in memory, refreshed whenever the file has
// changed on disk. Every change is one transaction: take the lock file, read the file as it
// is now, apply the change, write a new file beside it and rename it over the old one, let
// go of the lock. Two processes writing at once thus never lose each other's values, and a
// crash in the middle of a write leaves the previous file whole.
//
// Key paths name the root first: "HKEY_CURRENT_USER\Software\Vurt".

#include <QString>
#include <functional>
#include <optional>

#include "data/arbreregistre.h"
#include "data/erreurregistre.h"

class TRegistre {
 public:
  explicit TRegistre(QString chFichier);

  const QString& Fichier() const { return FFichier; }

  // The store file of the current user: $VESTRELLE_REGISTRE when set, otherwise
  // "vestrelle/registre.reg" under the user's configuration folder (XDG_CONFIG_HOME).
  static QString FichierParDefaut();

  // How long a change waits for another process's lock before giving up (ecVerrou).
  void SetDelaiVerrou(int iMillisecondes) { FDelaiVerrou = iMillisecondes; }

  // Reading. A store file that cannot be read throws EErreurRegistre; a missing file is an
  // empty store.
  bool CleExiste(const QString& chCle);
  std::optional<TValeurRegistre> LitValeur(const QString& chCle, const QString& chNom);
  // A copy of the whole tree as it is now.
  TArbreRegistre Arbre();

  // Changing (each call is one transaction). The key is created when missing. A name or text
  // beyond the store's limits throws ecTropLong and changes nothing.
  void CreeCle(const QString& chCle);
  void EcritEntier(const QString& chCle, const QString& chNom, qint32 iValeur);
  void EcritTexte(const QString& chCle, const QString& chNom, const QString& chValeur);
  void SupprimeValeur(const QString& chCle, const QString& chNom);
  void SupprimeCle(const QString& chCle);

  // Runs xModif on the tree read under the lock and saves the result. When xModif throws,
  // nothing is written and the exception goes on to the caller.
  void Modifie(const std::function<void(TArbreRegistre&)>& xModif);

 private:
  struct TSignature {
    bool bExiste = false;
    qint64 iTaille = 0, iInode = 0, iSecondes = 0, iNanosecondes = 0, iChangement = 0;
    bool operator==(const TSignature&) const = default;
  };
  TSignature SignatureFichier() const;
  // Reads the file into FArbre when it changed since the last read.
  void Rafraichit();
  TArbreRegistre LitFichier(TSignature& signature, QByteArray* xOctets = nullptr) const;
  void Enregistre(const QByteArray& octets);
  static void VerifieNom(const QString& chNom);

  QString FFichier;
  int FDelaiVerrou = 10000;
  TArbreRegistre FArbre;
  TSignature FSignature;
  bool FCharge = false;
};
