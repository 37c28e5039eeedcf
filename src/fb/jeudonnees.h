#pragma once
// The common base of the query and of the updatable dataset: rows read from a selection
// with named parameters, fetched on demand and kept in memory; navigation, bookmarks,
// locate; the states browse, edit and insert with their before/after notifications and
// error handlers; suspension of the display controls; data sources.

#include "fb/champ.h"
#include "fb/connexion.h"
#include "fb/parametre.h"
#include "fb/transaction.h"

#include <QObject>
#include <QPointer>
#include <QVariantList>
#include <functional>
#include <memory>
#include <vector>

#include "base/erreur.h"
class TInstruction;
class TSourceDonnees;
namespace Firebird { class IResultSet; }
namespace fbi { class Statut; struct Colonne; }

enum class TEtatJeu { dsInactive, dsBrowse, dsEdit, dsInsert };
enum class TActionErreur { daFail, daAbort, daRetry };
// What the data sources are told.
enum class TEvenementJeu { deDataSetChange, deDataSetScroll, deRecordChange, deFieldChange,
                           deUpdateState, deUpdateRecord };

struct TOptionsLocate {
  bool bSansCasse = false;       // case-insensitive texts
  bool bDebutSeulement = false;  // partial key: a text matches when it starts with the value
};

// A bookmark: stays valid while the row exists; after a reopen it designates the row at the
// same fetch position. 0 = none.
using TSignet = qint64;

class TJeuDonnees : public QObject, public TClientConnexion, public TTransaction::Lien {
  Q_OBJECT
 public:
  using TNotif = std::function<void(TJeuDonnees&)>;
  using TErreurJeu = std::function<void(TJeuDonnees&, const EErreur&, TActionErreur&)>;

  explicit TJeuDonnees(QObject* parent = nullptr);
  ~TJeuDonnees() override;

  QString Name() const { return objectName(); }

  TConnexion* Database() const { return FConnexion.data(); }
  void SetDatabase(TConnexion* c);
  // Without one, the connection's default transaction.
  TTransaction* Transaction() const;
  void SetTransaction(TTransaction* t);

  // Master dataset: parameters named like its fields take their values at each opening,
  // and this dataset opens again when the master moves to another row.
  TSourceDonnees* MasterSource() const { return FMaitre; }
  void SetMasterSource(TSourceDonnees* maitre);

  // Parameters of the selection.
  TParametres& Params() { return FParams; }
  TParametre& ParamByName(const QString& chNom) { return FParams.ParamByName(chNom); }
  int ParamCount() const { return FParams.Count(); }

  void Prepare();
  void Unprepare();
  bool Prepared() const;

  void Open();
  void Close();
  bool Active() const { return FEtat != TEtatJeu::dsInactive; }
  void SetActive(bool b) { b ? Open() : Close(); }
  TEtatJeu State() const { return FEtat; }
  bool EnEdition() const { return FEtat == TEtatJeu::dsEdit || FEtat == TEtatJeu::dsInsert; }

  int FieldCount() const { return static_cast<int>(FChamps.size()); }
  TChamp& Fields(int i) const;  // throws EErreur outside 0..FieldCount()-1
  TChamp* FindField(const QString& chNom) const;
  TChamp& FieldByName(const QString& chNom) const;  // throws EErreur when unknown
  QStringList FieldNames() const;

  // Navigation (each move fires the scroll notifications).
  void First();
  void Next();
  void Prior();
  void Last();
  int MoveBy(int n);
  bool Eof() const { return FEof; }
  bool Bof() const { return FBof; }
  bool IsEmpty() const { return FLignes.empty(); }
  // Rows fetched so far (all of them after FetchAll, Last or reaching the end).
  int RecordCount() const { return static_cast<int>(FLignes.size()); }
  bool ToutLu() const { return FToutLu; }
  void FetchAll();
  int RecNo() const { return FLignes.empty() ? 0 : FCourant + 1; }
  void SetRecNo(int n);

  TSignet Bookmark() const;
  bool BookmarkValid(TSignet b);
  void GotoBookmark(TSignet b);  // throws EErreur when the row is gone
  // Fields separated by ";", one value per field (a QVariantList for several).
  bool Locate(const QString& chChamps, const QVariant& valeurs, TOptionsLocate options = {});

  // Edition.
  virtual bool CanModify() const { return false; }
  void Insert();
  void Append();
  void Edit();
  void Post();
  void Cancel();
  void Delete();
  bool Modified() const { return FModifie; }
  // Posts when something was changed, cancels otherwise.
  void CheckBrowseMode();
  // Close and reopen, back on the same position.
  virtual void Refresh();
  // No cached updates in this layer: kept so that callers may ask.
  bool CachedUpdates() const { return false; }
  void ApplyUpdates() {}
  void CancelUpdates() {}

  // Suspension of the display controls (nested).
  void DisableControls() { ++FDesactive; if (FDesactive == 1) FEtatDesactive = FEtat; }
  void EnableControls();
  bool ControlsDisabled() const { return FDesactive > 0; }

  // Notifications (a handler may throw EAbandon to refuse an operation before it happens).
  TNotif BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  TNotif BeforeInsert, AfterInsert, BeforeEdit, AfterEdit, BeforePost, AfterPost;
  TNotif BeforeCancel, AfterCancel, BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
  TNotif OnNewRecord;
  TErreurJeu OnPostError, OnEditError, OnDeleteError;

  // Values for the item model: row r (0-based) of the fetched rows, the row being edited
  // when r is the current row.
  QVariant ValeurLigne(int r, int iChamp) const;
  // Fetches up to n more rows; returns how many came.
  int FetchMore(int n);

  // Data sources register themselves.
  void AjouterSource(TSourceDonnees* s);
  void RetirerSource(TSourceDonnees* s);

 signals:
  // Rows were fetched at the end of the buffer (the item model follows).
  void LignesLues(int iPremiere, int iDerniere);

 protected:
  friend class TChamp;
  struct TLigne {
    TSignet id = 0;
    QByteArray data;
    std::vector<QByteArray> blobs;
  };

  // The selection text, set by the subclasses.
  void FixerTexteSelection(const QString& chSql);
  const QString& TexteSelection() const { return FSql; }
  TParametres FParams;
  bool FParamCheck = true;

  virtual void InternalPost(bool bInsertion);
  virtual void InternalDelete();
  virtual bool PeutAjouter() const { return CanModify(); }
  virtual bool PeutEditer() const { return CanModify(); }
  virtual bool PeutSupprimer() const { return CanModify(); }

  // For the subclasses: current row and edit buffers, values by column.
  QVariant ValeurTampon(const TLigne& l, int iChamp) const;
  void EcrireTampon(TLigne& l, int iChamp, const QVariant& v);
  TLigne& LigneCourante() { return FLignes[FCourant]; }
  TLigne& Tampon() { return FTampon; }
  const TLigne& Ancien() const { return FAncien; }
  TInstruction* Selection() const { return FSelection.get(); }
  std::vector<const TParametre*> EntreesSelection() const;
  void VerifierConnexion() const;
  void Notifier(TEvenementJeu e, TChamp* f = nullptr);

  void FermetureConnexion() override;
  void FinTransaction() override;

 private:
  void Appeler(const TNotif& n) { if (n) n(*this); }
  void VerifierActif() const;
  bool LireLigne();
  void FermerCurseur();
  bool AssurerLigne(int idx);
  void Deplacer(int idx, bool bEof, bool bBof);
  void Operation(const std::function<void()>& op, const TErreurJeu& gestion);
  void CreerChamps();
  void InsererOuAjouter(bool bFin);
  const TLigne* LigneActive() const;
  QVariant LireChamp(int i) const;
  // Raw access for the fields: the buffer of the active row when the field is not null.
  const unsigned char* Brut(int i, const fbi::Colonne*& c) const;
  bool TexteUtf8() const;
  void EcrireChamp(int i, const QVariant& v);
  void ChargerBlobs(TLigne& l);
  void SuivreMaitre();
  void VerifierRequis();

  QString FSql;
  // Guarded: the owner may destroy the connection or the transaction first.
  QPointer<TConnexion> FConnexion;
  QPointer<TTransaction> FTransaction;
  TSourceDonnees* FMaitre = nullptr;  // cleared when it is destroyed
  QList<QMetaObject::Connection> FLiensMaitre;
  std::unique_ptr<TInstruction> FSelection;
  Firebird::IResultSet* FCurseur = nullptr;
  std::unique_ptr<fbi::Statut> FStatutLecture;  // reused by every fetch
  // Fetched rows are stored side by side in blocks (no allocation per row); a row that is
  // edited gets a buffer of its own.
  std::vector<std::unique_ptr<char[]>> FBlocs;
  int FPlaceBloc = 0;
  std::vector<std::unique_ptr<TChamp>> FChamps;
  std::vector<TLigne> FLignes;
  TLigne FTampon, FAncien;
  int FCourant = -1;
  bool FEof = true, FBof = true, FToutLu = true, FModifie = false;
  TEtatJeu FEtat = TEtatJeu::dsInactive;
  TEtatJeu FEtatDesactive = TEtatJeu::dsInactive;
  int FDesactive = 0;
  TSignet FProchainLu = 1, FProchainAjout = -1;
  QList<TSourceDonnees*> FSources;
};
