#pragma once
// The database connection: opened from a parameter list ("user_name=", "password=",
// "lc_ctype=", "sql_role_name="), closed cleanly. A local path opens the embedded engine,
// "host:path" (or "host/port:path") goes to a server.

#include <QList>
#include <QObject>
#include <QStringList>

namespace Firebird { class IAttachment; }
class TTransaction;

// Anything that holds statements of a connection: told before the connection closes so
// that it releases them.
class TClientConnexion {
 public:
  virtual ~TClientConnexion() = default;
  virtual void FermetureConnexion() = 0;
};

class TConnexion : public QObject {
  Q_OBJECT
 public:
  explicit TConnexion(QObject* parent = nullptr);
  ~TConnexion() override;

  const QString& DatabaseName() const { return FNomBase; }
  void SetDatabaseName(const QString& chNom);
  // Lines "name=value"; unknown names are refused at Open.
  const QStringList& Params() const { return FParams; }
  void SetParams(const QStringList& params) { FParams = params; }
  // Value of a parameter ("" when absent); SetParam adds or replaces the line.
  QString Param(const QString& chNom) const;
  void SetParam(const QString& chNom, const QString& chValeur);
  // Kept for the callers that set it; there is never a login dialog.
  bool LoginPrompt() const { return false; }
  void SetLoginPrompt(bool) {}

  void Open();
  // Closes every dataset, rolls back the transactions still active (what was not committed
  // is not kept) and detaches. Never throws: a lost connection is simply released.
  void Close();
  bool Connected() const { return FAttachement != nullptr; }
  void SetConnected(bool b) { b ? Open() : Close(); }

  // Asks the server whether the connection still holds; throws EErreurBase (with
  // ConnexionPerdue() true) when it was lost.
  void Ping();

  // Creates a new database file with the parameters (page size 8192, default character
  // set of lc_ctype, ISO8859_1 when not given) and leaves the connection open on it.
  void CreateDatabase();
  // Drops the connected database (tests).
  void DropDatabase();

  TTransaction* DefaultTransaction() const { return FTransDefaut; }
  void SetDefaultTransaction(TTransaction* t) { FTransDefaut = t; }
  const QList<TTransaction*>& Transactions() const { return FTransactions; }

  // The connection speaks ISO8859_1 unless lc_ctype says UTF8.
  bool TexteUtf8() const;

  // Client-library handle, for the other classes of this layer.
  Firebird::IAttachment* Attachement() const { return FAttachement; }

 signals:
  void AvantDeconnexion();

 private:
  friend class TTransaction;
  friend class TEcouteurEvenements;
 public:
  void AjouterClient(TClientConnexion* c) { if (!FClients.contains(c)) FClients << c; }
  void RetirerClient(TClientConnexion* c) { FClients.removeAll(c); }

 private:
  QByteArray ConstruireDpb(bool bCreation) const;
  void Detacher(bool bDrop);

  QString FNomBase;
  QStringList FParams;
  Firebird::IAttachment* FAttachement = nullptr;
  TTransaction* FTransDefaut = nullptr;
  QList<TTransaction*> FTransactions;
  QList<TClientConnexion*> FClients;
};
