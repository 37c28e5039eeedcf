#include "fb/transaction.h"

#include "fb/connexion.h"
#include "fb/fbinterne.h"

using namespace Firebird;
using namespace fbi;

TTransaction::TTransaction(QObject* parent) : QObject(parent) {}

TTransaction::~TTransaction() {
  Abandonner();
  if (FConnexion) {
    FConnexion->FTransactions.removeAll(this);
    if (FConnexion->FTransDefaut == this) FConnexion->FTransDefaut = nullptr;
  }
}

void TTransaction::SetDefaultDatabase(TConnexion* c) {
  if (c == FConnexion) return;
  if (InTransaction()) throw EErreur(QStringLiteral("Transaction active : connexion non modifiable."));
  if (FConnexion) FConnexion->FTransactions.removeAll(this);
  FConnexion = c;
  if (c) c->FTransactions << this;
}

void TTransaction::SetActive(bool b) {
  if (b && !InTransaction()) StartTransaction();
  else if (!b && InTransaction()) Commit();
}

QByteArray TTransaction::ConstruireTpb() const {
  QByteArray tpb;
  tpb += char(isc_tpb_version3);
  bool bLecture = false;
  for (const QString& p : FParams) {
    const QString n = p.trimmed().toLower();
    if (n.isEmpty()) continue;
    if (n == QLatin1String("read_committed")) tpb += char(isc_tpb_read_committed);
    else if (n == QLatin1String("rec_version")) tpb += char(isc_tpb_rec_version);
    else if (n == QLatin1String("no_rec_version")) tpb += char(isc_tpb_no_rec_version);
    else if (n == QLatin1String("concurrency")) tpb += char(isc_tpb_concurrency);
    else if (n == QLatin1String("consistency")) tpb += char(isc_tpb_consistency);
    else if (n == QLatin1String("wait")) tpb += char(isc_tpb_wait);
    else if (n == QLatin1String("nowait")) tpb += char(isc_tpb_nowait);
    else if (n == QLatin1String("read")) { tpb += char(isc_tpb_read); bLecture = true; }
    else if (n == QLatin1String("write")) tpb += char(isc_tpb_write);
    else throw EErreur(QStringLiteral("Paramètre de transaction inconnu : %1").arg(p));
  }
  if (!bLecture && !FParams.contains(QStringLiteral("write"), Qt::CaseInsensitive)) tpb += char(isc_tpb_write);
  return tpb;
}

void TTransaction::StartTransaction() {
  if (InTransaction()) throw EErreur(QStringLiteral("La transaction est déjà active."));
  if (!FConnexion) throw EErreur(QStringLiteral("Transaction sans connexion."));
  if (!FConnexion->Connected()) throw EErreur(QStringLiteral("La connexion n'est pas ouverte."));
  const QByteArray tpb = ConstruireTpb();
  Appel([&] {
    Statut st;
    FTransaction = FConnexion->Attachement()->startTransaction(
        &st, tpb.size(), reinterpret_cast<const unsigned char*>(tpb.constData()));
  });
}

bool TTransaction::AssurerActive() {
  if (InTransaction()) return false;
  StartTransaction();
  return true;
}

void TTransaction::Terminer(bool bCommit) {
  if (!InTransaction()) throw EErreur(QStringLiteral("La transaction n'est pas active."));
  // Cursors do not outlive their transaction.
  const QList<Lien*> liens = FLiens;
  for (Lien* l : liens) l->FinTransaction();
  Appel([&] {
    Statut st;
    if (bCommit) FTransaction->commit(&st);
    else FTransaction->rollback(&st);
  });
  // On success the client library has released the interface.
  FTransaction = nullptr;
}

void TTransaction::Commit() { Terminer(true); }
void TTransaction::Rollback() { Terminer(false); }

void TTransaction::CommitRetaining() {
  if (!InTransaction()) throw EErreur(QStringLiteral("La transaction n'est pas active."));
  Appel([&] {
    Statut st;
    FTransaction->commitRetaining(&st);
  });
}

void TTransaction::RollbackRetaining() {
  if (!InTransaction()) throw EErreur(QStringLiteral("La transaction n'est pas active."));
  Appel([&] {
    Statut st;
    FTransaction->rollbackRetaining(&st);
  });
}

void TTransaction::Abandonner() {
  if (!FTransaction) return;
  const QList<Lien*> liens = FLiens;
  for (Lien* l : liens) l->FinTransaction();
  Statut st;
  try {
    FTransaction->rollback(&st);
  } catch (const FbException&) {
    FTransaction->release();
  }
  FTransaction = nullptr;
}
