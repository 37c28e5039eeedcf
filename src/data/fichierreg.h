#pragma once
// Registry export text: the "REGEDIT4" files (8-bit text) and the "Windows Registry Editor
// Version 5.00" files (UTF-16 with a byte-order mark). The same reader loads the settings
// store's own file and imports the default-settings files that ship with the program.
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Vurt\VestrelleDemo\Init]
//   "FreqRefresh"=dword:0000ea60
//   "Alias"="C:\\Data\\base.gdb"
//   "Notes"=hex(1):41,00,0d,00,0a,00,42,00,00,00
//   "Ancienne"=-
//   [-HKEY_CURRENT_USER\Software\Vieille]
//
// Reading checks the whole text before anything is applied: a malformed, truncated or badly
// encoded file, or a name or value beyond the store's limits, throws EErreurRegistre with the
// line at fault, and the caller's tree stays as it was.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "data/arbreregistre.h"
#include "data/erreurregistre.h"

struct TLigneReg {
  enum TGenre {
    lgValeur,       // write Valeur
    lgSuppression,  // "name"=- : remove the value
    lgIgnoree,      // binary and other types the store does not hold
  };
  int iLigne = 0;
  QString Nom;  // "" for the default value "@"
  TGenre Genre = lgValeur;
  TValeurRegistre Valeur;
};

struct TSectionReg {
  int iLigne = 0;
  QStringList Chemin;  // root first ("HKEY_CURRENT_USER", "Software", ...)
  bool bSuppression = false;  // [-path]: remove the key and everything below it
  QList<TLigneReg> Lignes;
};

struct TFichierReg {
  bool bVersion5 = false;  // "Windows Registry Editor Version 5.00" rather than "REGEDIT4"
  QList<TSectionReg> Sections;
};

namespace FichierReg {

inline const QString Racine = QStringLiteral("HKEY_CURRENT_USER");

// Reads a registry export text. chNomFichier only names the file in error messages.
TFichierReg Analyse(const QByteArray& octets, const QString& chNomFichier);

// Applies the sections in file order. With bEcrase false, existing values are kept and
// removals are not applied (only what is missing is added).
void Applique(const TFichierReg& fichier, TArbreRegistre& arbre, bool bEcrase);

// The whole tree as "Windows Registry Editor Version 5.00" text in UTF-16LE with its
// byte-order mark, keys and values in name order.
QByteArray Ecrit(const TArbreRegistre& arbre);

}  // namespace FichierReg
