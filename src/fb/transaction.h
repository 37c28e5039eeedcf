#pragma once
// A transaction of a connection, with its parameter list ("read_committed", "rec_version",
// "no_rec_version", "concurrency", "consistency", "wait", "nowait", "read", "write").
// Several transactions may run on one connection at once. A hard commit or rollback
// closes the datasets bound to the transaction; the "retaining" forms keep them open.

#include <QList>
#include <QObject>
#include <QStringList>

namespace Firebird { class ITransaction; }
class TConnexion;

class TTransaction : public QObject {
  Q_OBJECT
 public:
  explicit TTransaction(QObject* parent = nullptr);
  ~TTransaction() override;

  TConnexion* DefaultDatabase() const { return FConnexion; }
  void SetDefaultDatabase(TConnexion* c);
  const QStringList& Params() const { return FParams; }
  void SetParams(const QStringList& params) { FParams = params; }

  void StartTransaction();
  void Commit();
  void CommitRetaining();
  void Rollback();
  void RollbackRetaining();
  bool InTransaction() const { return FTransaction != nullptr; }
  bool Active() const { return InTransaction(); }
  void SetActive(bool b);

  // Datasets that must close when the transaction ends.
  class Lien {
   public:
    virtual ~Lien() = default;
    virtual void FinTransaction() = 0;
  };
  void AjouterLien(Lien* l) { if (!FLiens.contains(l)) FLiens << l; }
  void RetirerLien(Lien* l) { FLiens.removeAll(l); }

  Firebird::ITransaction* Handle() const { return FTransaction; }
  // Starts the transaction when it is not active; true when it was started here.
  bool AssurerActive();

 private:
  friend class TConnexion;
  QByteArray ConstruireTpb() const;
  void Terminer(bool bCommit);
  void Abandonner();  // connection closing: roll back, never throw

  TConnexion* FConnexion = nullptr;
  QStringList FParams;
  Firebird::ITransaction* FTransaction = nullptr;
  QList<Lien*> FLiens;
};
