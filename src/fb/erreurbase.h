#pragma once
// Database errors: the server's SQL code, its error code (the first code of the status,
// for example 335544665 for a duplicate primary key) and the message, as the client
// library formats it.

#include "base/erreur.h"

#include <QList>

class EErreurBase : public EErreur {
 public:
  EErreurBase(QString chMessage, int iSqlCode, qint64 iCodeErreur, QList<qint64> codes = {})
      : EErreur(std::move(chMessage)), FSqlCode(iSqlCode), FCodeErreur(iCodeErreur),
        FCodes(std::move(codes)) {}

  int SqlCode() const { return FSqlCode; }
  qint64 CodeErreur() const { return FCodeErreur; }
  // Every error code of the status, in order (the first one is CodeErreur()).
  const QList<qint64>& Codes() const { return FCodes; }
  bool ContientCode(qint64 iCode) const { return FCodes.contains(iCode); }
  // The connection to the server was lost (network error, server shut down).
  bool ConnexionPerdue() const;

 private:
  int FSqlCode;
  qint64 FCodeErreur;
  QList<qint64> FCodes;
};

// Codes the program tests by name.
namespace CodesErreurBase {
constexpr qint64 CleEnDouble = 335544665;      // primary or unique key violation
constexpr qint64 IndexEnDouble = 335544349;    // duplicate value in a unique index
constexpr qint64 ErreurES = 335544344;         // file missing or unreadable
constexpr qint64 LoginRefuse = 335544472;      // wrong user name or password
constexpr qint64 ErreurReseau = 335544721;     // server unreachable
constexpr qint64 ConnexionPerdue = 335544741;  // connection lost
constexpr qint64 ArretServeur = 335544528;     // database shut down
constexpr qint64 ConflitVerrou = 335544345;    // lock conflict on no wait transaction
constexpr qint64 MiseAJourConflit = 335544336; // deadlock / update conflict
}  // namespace CodesErreurBase
