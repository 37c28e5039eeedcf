#pragma once
// The database event listener: a list of event names, registered and unregistered; each
// event posted by a committed transaction is delivered by name on the user-interface
// thread. It holds its own attachment (same database and parameters as the connection it
// is given) and watches it: after a server restart or a lost connection it attaches again
// and registers again, and tells the program that events may have been missed meanwhile.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "fb/connexion.h"

class TEcouteurEvenements : public QObject {
  Q_OBJECT
 public:
  explicit TEcouteurEvenements(QObject* parent = nullptr);
  ~TEcouteurEvenements() override;

  TConnexion* Database() const { return FConnexion.data(); }
  void SetDatabase(TConnexion* c) { FConnexion = c; }
  const QStringList& Events() const { return FNoms; }
  void SetEvents(const QStringList& noms);

  // Throws EErreurBase when the database cannot be reached at registration time.
  void RegisterEvents();
  // Never throws.
  void UnRegisterEvents();
  bool Registered() const { return FInscrit; }
  // The attachment is currently lost (registered, waiting to reach the server again).
  bool EnAttente() const { return FInscrit && !FEtat; }

  // How often the attachment is checked, in milliseconds (default 3000).
  int IntervalleSurveillance() const { return FTimer.interval(); }
  void SetIntervalleSurveillance(int ms) { FTimer.setInterval(ms); }

  // Called for each event, on the user-interface thread (after the signal below).
  std::function<void(TEcouteurEvenements&, const QString&)> OnEventAlert;

  struct Etat;  // attachment, registrations, buffers (client-library side)

 signals:
  void EventAlert(const QString& chNom);
  void ConnexionPerdue();
  // Registered again after a loss: events posted in between were not seen.
  void ConnexionRetablie();

 public slots:
  // Checks the attachment now (the timer calls it); re-registers when it was lost.
  void Surveiller();

 private:
  friend class RappelEvenements;
  void Attacher();
  void Detacher();
  void QueueBloc(size_t i, bool bInitial);
  // Waits for the first answer of every new registration and starts counting from it.
  void AttendreComptesInitiaux();
  void Recu(size_t iBloc, quint64 iGeneration, quint64 iNumero, const QByteArray& tampon);
  void Perte();

  QPointer<TConnexion> FConnexion;
  // Taken from the connection at registration: attaching again needs only these.
  QString FNomBase;
  QByteArray FDpb;
  QStringList FNoms;
  bool FInscrit = false;
  bool FSignalePerte = false;
  QTimer FTimer;
  std::unique_ptr<Etat> FEtat;
  std::shared_ptr<struct PartageEvenements> FPartage;
};
