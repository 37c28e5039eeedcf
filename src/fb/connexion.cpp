#include "fb/connexion.h"

#include "fb/fbinterne.h"
#include "fb/transaction.h"

using namespace Firebird;
using namespace fbi;

TConnexion::TConnexion(QObject* parent) : QObject(parent) {}

TConnexion::~TConnexion() {
  Close();
  for (TTransaction* t : FTransactions) t->FConnexion = nullptr;
}

void TConnexion::SetDatabaseName(const QString& chNom) {
  if (chNom == FNomBase) return;
  if (Connected()) throw EErreur(QStringLiteral("Impossible de changer de base : la connexion est ouverte."));
  FNomBase = chNom;
}

QString TConnexion::Param(const QString& chNom) const {
  const QString cle = chNom.toLower() + '=';
  for (const QString& l : FParams)
    if (l.trimmed().toLower().startsWith(cle)) return l.trimmed().mid(cle.size());
  return {};
}

void TConnexion::SetParam(const QString& chNom, const QString& chValeur) {
  const QString cle = chNom.toLower() + '=';
  for (QString& l : FParams)
    if (l.trimmed().toLower().startsWith(cle)) {
      l = chNom + '=' + chValeur;
      return;
    }
  FParams << chNom + '=' + chValeur;
}

bool TConnexion::TexteUtf8() const {
  const QString cs = Param(QStringLiteral("lc_ctype")).toUpper();
  return cs == QLatin1String("UTF8") || cs == QLatin1String("UTF-8");
}

QByteArray TConnexion::ConstruireDpb(bool bCreation) const {
  Statut st;
  IXpbBuilder* dpb = Util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
  QByteArray res;
  try {
    bool bCharset = false;
    for (const QString& ligne : FParams) {
      const QString l = ligne.trimmed();
      if (l.isEmpty()) continue;
      const int eg = l.indexOf('=');
      const QString nom = (eg < 0 ? l : l.left(eg)).trimmed().toLower();
      const QByteArray val = (eg < 0 ? QString() : l.mid(eg + 1)).toUtf8();
      if (nom == QLatin1String("user_name")) dpb->insertString(&st, isc_dpb_user_name, val.constData());
      else if (nom == QLatin1String("password")) dpb->insertString(&st, isc_dpb_password, val.constData());
      else if (nom == QLatin1String("lc_ctype")) {
        dpb->insertString(&st, isc_dpb_lc_ctype, val.constData());
        if (bCreation) dpb->insertString(&st, isc_dpb_set_db_charset, val.constData());
        bCharset = true;
      } else if (nom == QLatin1String("sql_role_name")) {
        if (!val.isEmpty()) dpb->insertString(&st, isc_dpb_sql_role_name, val.constData());
      } else if (nom == QLatin1String("sql_dialect")) {
        dpb->insertInt(&st, isc_dpb_sql_dialect, val.toInt());
      } else {
        throw EErreur(QStringLiteral("Paramètre de connexion inconnu : %1").arg(l));
      }
    }
    if (!bCharset) {
      dpb->insertString(&st, isc_dpb_lc_ctype, "ISO8859_1");
      if (bCreation) dpb->insertString(&st, isc_dpb_set_db_charset, "ISO8859_1");
    }
    if (bCreation) {
      dpb->insertInt(&st, isc_dpb_page_size, 8192);
      dpb->insertInt(&st, isc_dpb_sql_dialect, 3);
    }
    res = QByteArray(reinterpret_cast<const char*>(dpb->getBuffer(&st)),
                     static_cast<int>(dpb->getBufferLength(&st)));
  } catch (const FbException& e) {
    dpb->dispose();
    throw ErreurDepuis(e.getStatus());
  } catch (...) {
    dpb->dispose();
    throw;
  }
  dpb->dispose();
  return res;
}

void TConnexion::Open() {
  if (Connected()) return;
  if (FNomBase.trimmed().isEmpty()) throw EErreur(QStringLiteral("Aucune base de données indiquée."));
  const QByteArray dpb = ConstruireDpb(false);
  Appel([&] {
    Statut st;
    IProvider* prov = Maitre()->getDispatcher();
    try {
      FAttachement = prov->attachDatabase(&st, FNomBase.toUtf8().constData(), dpb.size(),
                                          reinterpret_cast<const unsigned char*>(dpb.constData()));
    } catch (...) {
      prov->release();
      throw;
    }
    prov->release();
  });
}

void TConnexion::Ping() {
  if (!Connected()) throw EErreur(QStringLiteral("La connexion n'est pas ouverte."));
  Appel([&] {
    Statut st;
    FAttachement->ping(&st);
  });
}

void TConnexion::CreateDatabase() {
  if (Connected()) throw EErreur(QStringLiteral("La connexion est déjà ouverte."));
  const QByteArray dpb = ConstruireDpb(true);
  Appel([&] {
    Statut st;
    IProvider* prov = Maitre()->getDispatcher();
    try {
      FAttachement = prov->createDatabase(&st, FNomBase.toUtf8().constData(), dpb.size(),
                                          reinterpret_cast<const unsigned char*>(dpb.constData()));
    } catch (...) {
      prov->release();
      throw;
    }
    prov->release();
  });
}

void TConnexion::Detacher(bool bDrop) {
  if (!FAttachement) return;
  emit AvantDeconnexion();
  const QList<TClientConnexion*> clients = FClients;
  for (TClientConnexion* c : clients) c->FermetureConnexion();
  for (TTransaction* t : FTransactions) t->Abandonner();
  IAttachment* att = FAttachement;
  FAttachement = nullptr;
  Statut st;
  try {
    if (bDrop) att->dropDatabase(&st);
    else att->detach(&st);
  } catch (const FbException& e) {
    // A connection already lost cannot be detached: release what the client holds.
    att->release();
    if (bDrop) throw ErreurDepuis(e.getStatus());
  }
}

void TConnexion::Close() { Detacher(false); }

void TConnexion::DropDatabase() {
  if (!Connected()) throw EErreur(QStringLiteral("La connexion n'est pas ouverte."));
  Detacher(true);
}
