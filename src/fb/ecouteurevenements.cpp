#include "fb/ecouteurevenements.h"

#include "fb/connexion.h"
#include "fb/fbinterne.h"

#include <QMetaObject>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>

using namespace Firebird;
using namespace fbi;

// What the client library's thread may reach: the listener, as long as it lives.
struct PartageEvenements {
  std::mutex m;
  TEcouteurEvenements* cible = nullptr;
  // The first answer of each new registration, by registration number: the counts to start
  // from. The server gives them with the counts it holds when it answers, which may already
  // include an event posted just after the registration; so the listener waits for them
  // before it declares itself registered, instead of taking the first delivery as a baseline.
  std::condition_variable cv;
  std::map<quint64, QByteArray> initiaux;
};

class RappelEvenements : public IEventCallbackImpl<RappelEvenements, ThrowStatusWrapper> {
 public:
  RappelEvenements(std::shared_ptr<PartageEvenements> p, size_t iBloc, quint64 iGen, quint64 iNumero,
                   bool bInitial)
      : FPartage(std::move(p)), FBloc(iBloc), FGeneration(iGen), FNumero(iNumero),
        FInitial(bInitial) {}

  void addRef() override { ++FRefs; }
  int release() override {
    if (--FRefs == 0) {
      delete this;
      return 0;
    }
    return 1;
  }

  // Runs on a thread of the client library: copy, then hand over to the listener's thread.
  void eventCallbackFunction(unsigned length, const ISC_UCHAR* events) override {
    QByteArray copie;
    if (events && length) copie = QByteArray(reinterpret_cast<const char*>(events), int(length));
    std::lock_guard<std::mutex> verrou(FPartage->m);
    if (FInitial) {
      FPartage->initiaux[FNumero] = copie;
      FPartage->cv.notify_all();
      return;
    }
    TEcouteurEvenements* c = FPartage->cible;
    if (!c) return;
    const size_t b = FBloc;
    const quint64 g = FGeneration, n = FNumero;
    QMetaObject::invokeMethod(c, [c, b, g, n, copie] { c->Recu(b, g, n, copie); }, Qt::QueuedConnection);
  }

 private:
  std::atomic<int> FRefs{1};
  std::shared_ptr<PartageEvenements> FPartage;
  size_t FBloc;
  quint64 FGeneration;
  quint64 FNumero;
  bool FInitial;
};

namespace {
constexpr int NomsParBloc = 15;  // limit of one registration of the client library

struct Bloc {
  QStringList noms;
  QByteArray tampon;  // names and counts, as last returned by the server
  IEvents* ev = nullptr;
  RappelEvenements* rappel = nullptr;
  quint64 numero = 0;  // of the current registration
  bool premier = true;  // no counts to start from yet
};

QByteArray ConstruireTampon(const QStringList& noms) {
  QByteArray b;
  b += char(1);  // version of the parameter block
  for (const QString& n : noms) {
    const QByteArray l = n.toLatin1().left(255);
    b += char(l.size());
    b += l;
    b += QByteArray(4, '\0');
  }
  return b;
}

std::vector<quint32> Compteurs(const QByteArray& b) {
  std::vector<quint32> res;
  int pos = 1;
  while (pos < b.size()) {
    const int n = static_cast<unsigned char>(b[pos]);
    pos += 1 + n;
    if (pos + 4 > b.size()) break;
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + pos);
    res.push_back(quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24);
    pos += 4;
  }
  return res;
}

quint64 ProchaineGeneration() {
  static std::atomic<quint64> g{0};
  return ++g;
}
}  // namespace

struct TEcouteurEvenements::Etat {
  IAttachment* att = nullptr;
  std::vector<Bloc> blocs;
  quint64 generation = 0;
};

TEcouteurEvenements::TEcouteurEvenements(QObject* parent)
    : QObject(parent), FPartage(std::make_shared<PartageEvenements>()) {
  FPartage->cible = this;
  FTimer.setInterval(3000);
  connect(&FTimer, &QTimer::timeout, this, &TEcouteurEvenements::Surveiller);
}

TEcouteurEvenements::~TEcouteurEvenements() {
  {
    std::lock_guard<std::mutex> verrou(FPartage->m);
    FPartage->cible = nullptr;
  }
  UnRegisterEvents();
}

void TEcouteurEvenements::SetEvents(const QStringList& noms) {
  if (noms == FNoms) return;
  const bool inscrit = FInscrit;
  if (inscrit) UnRegisterEvents();
  FNoms = noms;
  if (inscrit) RegisterEvents();
}

void TEcouteurEvenements::RegisterEvents() {
  if (FInscrit) return;
  if (!FConnexion) throw EErreur(QStringLiteral("Écouteur d'événements sans base de données."));
  if (FNoms.isEmpty()) throw EErreur(QStringLiteral("Aucun événement à enregistrer."));
  FNomBase = FConnexion->DatabaseName();
  FDpb = FConnexion->ConstruireDpb(false);
  Attacher();
  FInscrit = true;
  FSignalePerte = false;
  FTimer.start();
}

void TEcouteurEvenements::UnRegisterEvents() {
  FTimer.stop();
  FInscrit = false;
  Detacher();
}

void TEcouteurEvenements::Attacher() {
  const QByteArray& dpb = FDpb;
  auto etat = std::make_unique<Etat>();
  etat->generation = ProchaineGeneration();
  Appel([&] {
    Statut st;
    IProvider* prov = Maitre()->getDispatcher();
    try {
      etat->att = prov->attachDatabase(&st, FNomBase.toUtf8().constData(), dpb.size(),
                                       reinterpret_cast<const unsigned char*>(dpb.constData()));
    } catch (...) {
      prov->release();
      throw;
    }
    prov->release();
  });
  for (int i = 0; i < FNoms.size(); i += NomsParBloc) {
    Bloc b;
    b.noms = FNoms.mid(i, NomsParBloc);
    b.tampon = ConstruireTampon(b.noms);
    etat->blocs.push_back(b);
  }
  FEtat = std::move(etat);
  try {
    for (size_t i = 0; i < FEtat->blocs.size(); ++i) QueueBloc(i, true);
    AttendreComptesInitiaux();
  } catch (...) {
    Detacher();
    throw;
  }
}

void TEcouteurEvenements::AttendreComptesInitiaux() {
  std::map<size_t, QByteArray> recus;
  {
    std::unique_lock<std::mutex> verrou(FPartage->m);
    const bool bComplet = FPartage->cv.wait_for(verrou, std::chrono::seconds(5), [&] {
      for (const Bloc& b : FEtat->blocs)
        if (!FPartage->initiaux.count(b.numero)) return false;
      return true;
    });
    for (size_t i = 0; i < FEtat->blocs.size(); ++i) {
      auto it = FPartage->initiaux.find(FEtat->blocs[i].numero);
      if (it == FPartage->initiaux.end()) continue;
      recus[i] = it->second;
      FPartage->initiaux.erase(it);
    }
    if (!bComplet)
      throw EErreur(QString::fromUtf8("Le serveur n'a pas répondu à l'inscription aux événements."));
  }
  for (auto& [i, tampon] : recus) {
    Bloc& b = FEtat->blocs[i];
    if (b.ev) {
      b.ev->release();
      b.ev = nullptr;
    }
    // A registration that ended at once (empty answer) keeps no counts: the first delivery
    // of the next one will give them.
    if (tampon.size() == b.tampon.size()) {
      b.tampon = tampon;
      b.premier = false;
    }
    QueueBloc(i, false);
  }
}

void TEcouteurEvenements::QueueBloc(size_t i, bool bInitial) {
  Bloc& b = FEtat->blocs[i];
  if (b.rappel) b.rappel->release();
  b.numero = ProchaineGeneration();
  b.rappel = new RappelEvenements(FPartage, i, FEtat->generation, b.numero, bInitial);
  Appel([&] {
    Statut st;
    b.ev = FEtat->att->queEvents(&st, b.rappel, unsigned(b.tampon.size()),
                                 reinterpret_cast<const unsigned char*>(b.tampon.constData()));
  });
}

void TEcouteurEvenements::Detacher() {
  if (!FEtat) return;
  std::unique_ptr<Etat> etat = std::move(FEtat);
  Statut st;
  for (Bloc& b : etat->blocs) {
    if (b.ev) {
      try {
        b.ev->cancel(&st);
      } catch (const FbException&) {
        b.ev->release();
      }
      b.ev = nullptr;
    }
    if (b.rappel) b.rappel->release();
    b.rappel = nullptr;
  }
  if (etat->att) {
    try {
      etat->att->detach(&st);
    } catch (const FbException&) {
      etat->att->release();
    }
  }
}

void TEcouteurEvenements::Perte() {
  Detacher();
  if (!FSignalePerte) {
    FSignalePerte = true;
    emit ConnexionPerdue();
  }
}

void TEcouteurEvenements::Surveiller() {
  if (!FInscrit) return;
  if (FEtat) {
    try {
      Statut st;
      FEtat->att->ping(&st);
      return;
    } catch (const FbException&) {
      Perte();
    }
  }
  try {
    Attacher();
  } catch (const EErreur&) {
    return;  // still unreachable: the timer tries again
  }
  if (FSignalePerte) {
    FSignalePerte = false;
    emit ConnexionRetablie();
  }
}

void TEcouteurEvenements::Recu(size_t iBloc, quint64 iGeneration, quint64 iNumero, const QByteArray& tampon) {
  if (!FInscrit || !FEtat || iGeneration != FEtat->generation || iBloc >= FEtat->blocs.size()) return;
  Bloc& b = FEtat->blocs[iBloc];
  // A registration replaced since (the client library reports the end of the old one with
  // an empty buffer) is no longer ours.
  if (iNumero != b.numero) return;
  if (b.ev) {
    b.ev->release();
    b.ev = nullptr;
  }
  if (tampon.size() != b.tampon.size()) {
    // Our registration ended without an event: check the attachment now, and register
    // again when it is still there.
    Surveiller();
    if (FEtat && iGeneration == FEtat->generation && !FEtat->blocs[iBloc].ev) {
      try {
        QueueBloc(iBloc, false);
      } catch (const EErreur&) {
        Perte();
      }
    }
    return;
  }
  QStringList recus;
  if (!b.premier) {
    const auto avant = Compteurs(b.tampon), apres = Compteurs(tampon);
    for (size_t i = 0; i < avant.size() && i < apres.size() && i < size_t(b.noms.size()); ++i)
      if (apres[i] > avant[i]) recus << b.noms[int(i)];
  }
  b.tampon = tampon;
  b.premier = false;
  try {
    QueueBloc(iBloc, false);
  } catch (const EErreur&) {
    Perte();
  }
  for (const QString& n : recus) {
    emit EventAlert(n);
    if (OnEventAlert) OnEventAlert(*this, n);
  }
}
