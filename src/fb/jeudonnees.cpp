#include "fb/jeudonnees.h"

#include "fb/abandon.h"
#include "fb/instruction.h"
#include "fb/sourcedonnees.h"

#include <cstring>

namespace {
// The null indicator of a value in a stored row; rows are packed, so it is read by copy.
bool IndicateurNul(const unsigned char* p) {
  short n;
  std::memcpy(&n, p, sizeof n);
  return n != 0;
}
}  // namespace

using namespace Firebird;
using namespace fbi;

TJeuDonnees::TJeuDonnees(QObject* parent) : QObject(parent) {}

TJeuDonnees::~TJeuDonnees() {
  // No notification handlers run from here: the owner may be half destroyed.
  BeforeClose = AfterClose = BeforeScroll = AfterScroll = nullptr;
  FermerCurseur();
  FSelection.reset();
  for (const auto& c : FLiensMaitre) disconnect(c);
  for (TSourceDonnees* s : FSources) s->Oublier(this);
  if (FConnexion) FConnexion->RetirerClient(this);
  if (FTransaction) FTransaction->RetirerLien(this);
  else if (FConnexion && FConnexion->DefaultTransaction()) FConnexion->DefaultTransaction()->RetirerLien(this);
}

void TJeuDonnees::SetDatabase(TConnexion* c) {
  if (c == FConnexion) return;
  Close();
  FSelection.reset();
  if (FConnexion) FConnexion->RetirerClient(this);
  FConnexion = c;
  if (c) c->AjouterClient(this);
}

TTransaction* TJeuDonnees::Transaction() const {
  if (FTransaction) return FTransaction;
  return FConnexion ? FConnexion->DefaultTransaction() : nullptr;
}

void TJeuDonnees::SetTransaction(TTransaction* t) {
  if (t == FTransaction) return;
  Close();
  if (FTransaction) FTransaction->RetirerLien(this);
  FTransaction = t;
  if (t && !FConnexion) SetDatabase(t->DefaultDatabase());
}

void TJeuDonnees::SetMasterSource(TSourceDonnees* maitre) {
  if (maitre == FMaitre) return;
  for (const auto& c : FLiensMaitre) disconnect(c);
  FLiensMaitre.clear();
  FMaitre = maitre;
  if (maitre) {
    FLiensMaitre << connect(maitre, &TSourceDonnees::Scroll, this, &TJeuDonnees::SuivreMaitre);
    FLiensMaitre << connect(maitre, &TSourceDonnees::DataSetChange, this, &TJeuDonnees::SuivreMaitre);
    FLiensMaitre << connect(maitre, &QObject::destroyed, this, [this] { FMaitre = nullptr; });
  }
}

void TJeuDonnees::SuivreMaitre() {
  if (!Active() || EnEdition() || !FMaitre) return;
  TJeuDonnees* m = FMaitre->DataSet();
  if (!m || !m->Active()) {
    Close();
    return;
  }
  if (m->EnEdition()) return;  // follows once the master row is posted
  Close();
  Open();
}

void TJeuDonnees::FixerTexteSelection(const QString& chSql) {
  if (chSql == FSql) return;
  Close();
  Unprepare();
  FSql = chSql;
  QStringList noms;
  if (FParamCheck) TraduireParametres(chSql, noms);
  FParams.Definir(noms);
}

void TJeuDonnees::VerifierConnexion() const {
  if (!FConnexion) throw EErreur(QStringLiteral("%1 : aucune base de données associée.").arg(Name()));
  if (!FConnexion->Connected()) throw EErreur(QStringLiteral("%1 : la base de données n'est pas connectée.").arg(Name()));
  if (!Transaction()) throw EErreur(QStringLiteral("%1 : aucune transaction associée.").arg(Name()));
}

void TJeuDonnees::Prepare() {
  if (Prepared()) return;
  VerifierConnexion();
  auto instr = std::make_unique<TInstruction>(FConnexion);
  instr->Preparer(Transaction(), FSql, FParamCheck);
  FSelection = std::move(instr);
}

void TJeuDonnees::Unprepare() {
  if (Active()) Close();
  FSelection.reset();
}

bool TJeuDonnees::Prepared() const { return FSelection && FSelection->Prete(); }

std::vector<const TParametre*> TJeuDonnees::EntreesSelection() const {
  std::vector<const TParametre*> e;
  for (const QString& n : FSelection->NomsEntree()) e.push_back(FParams.FindParam(n));
  return e;
}

void TJeuDonnees::CreerChamps() {
  const auto& cols = FSelection->Colonnes();
  struct Def {
    TTypeChamp type;
    int taille;
    bool requis;
  };
  std::vector<Def> defs;
  for (const Colonne& c : cols) {
    TTypeChamp t = TTypeChamp::ftUnknown;
    int taille = 0;
    switch (c.type) {
      case SQL_SHORT: t = c.echelle < 0 ? TTypeChamp::ftBCD : TTypeChamp::ftSmallint; break;
      case SQL_LONG: t = c.echelle < 0 ? TTypeChamp::ftBCD : TTypeChamp::ftInteger; break;
      case SQL_INT64: t = c.echelle < 0 ? TTypeChamp::ftBCD : TTypeChamp::ftLargeint; break;
      case SQL_FLOAT: case SQL_DOUBLE: case SQL_D_FLOAT: t = TTypeChamp::ftFloat; break;
      case SQL_TEXT: t = TTypeChamp::ftFixedChar; taille = int(c.longueur); break;
      case SQL_VARYING: t = TTypeChamp::ftString; taille = int(c.longueur); break;
      case SQL_TYPE_DATE: t = TTypeChamp::ftDate; break;
      case SQL_TYPE_TIME: t = TTypeChamp::ftTime; break;
      case SQL_TIMESTAMP: t = TTypeChamp::ftDateTime; break;
      case SQL_BOOLEAN: t = TTypeChamp::ftBoolean; break;
      case SQL_BLOB: t = c.sousType == 1 ? TTypeChamp::ftMemo : TTypeChamp::ftBlob; break;
      default: break;
    }
    if (FSelection->Codage().bUtf8 && taille > 0) taille /= 4;
    // A column of a relation declared NOT NULL is required.
    defs.push_back({t, taille, !c.bNullable && !c.chRelation.isEmpty()});
  }
  bool bIdem = cols.size() == FChamps.size();
  for (size_t i = 0; bIdem && i < cols.size(); ++i)
    bIdem = FChamps[i]->FieldName() == cols[i].chNom && FChamps[i]->DataType() == defs[i].type &&
            FChamps[i]->Size() == defs[i].taille;
  if (bIdem) return;  // the same columns: keep the settings of the fields (formats, handlers)
  FChamps.clear();
  for (size_t i = 0; i < cols.size(); ++i)
    FChamps.push_back(std::make_unique<TChamp>(this, int(i), cols[i].chNom, defs[i].type, defs[i].taille, defs[i].requis));
}

void TJeuDonnees::Open() {
  if (Active()) return;
  VerifierConnexion();
  Appeler(BeforeOpen);
  Prepare();
  if (FMaitre && FMaitre->DataSet() && FMaitre->DataSet()->Active()) {
    TJeuDonnees* m = FMaitre->DataSet();
    for (int i = 0; i < FParams.Count(); ++i)
      if (TChamp* f = m->FindField(FParams[i].Name())) f->AssignerA(FParams[i]);
  }
  if (!FSelection->EstSelection()) throw EErreur(QStringLiteral("%1 : la requête ne renvoie pas de lignes.").arg(Name()));
  TTransaction* t = Transaction();
  FCurseur = FSelection->Ouvrir(t, EntreesSelection());
  t->AjouterLien(this);
  CreerChamps();
  FLignes.clear();
  FBlocs.clear();
  FPlaceBloc = 0;
  FToutLu = false;
  FProchainLu = 1;
  FProchainAjout = -1;
  FModifie = false;
  try {
    LireLigne();
  } catch (...) {
    FermerCurseur();
    t->RetirerLien(this);
    FLignes.clear();
    FBlocs.clear();
    throw;
  }
  FEtat = TEtatJeu::dsBrowse;
  FCourant = FLignes.empty() ? -1 : 0;
  FBof = true;
  FEof = FLignes.empty();
  Notifier(TEvenementJeu::deUpdateState);
  Notifier(TEvenementJeu::deDataSetChange);
  Appeler(AfterOpen);
  Appeler(AfterScroll);
}

void TJeuDonnees::FermerCurseur() {
  if (!FCurseur) return;
  Statut st;
  try {
    FCurseur->close(&st);
  } catch (const FbException&) {
    FCurseur->release();
  }
  FCurseur = nullptr;
}

void TJeuDonnees::Close() {
  if (!Active()) return;
  Appeler(BeforeClose);
  FermerCurseur();
  if (TTransaction* t = Transaction()) t->RetirerLien(this);
  FLignes.clear();
  FBlocs.clear();
  FPlaceBloc = 0;
  FTampon = FAncien = TLigne();
  FCourant = -1;
  FEof = FBof = true;
  FToutLu = true;
  FModifie = false;
  FEtat = TEtatJeu::dsInactive;
  Notifier(TEvenementJeu::deUpdateState);
  Notifier(TEvenementJeu::deDataSetChange);
  Appeler(AfterClose);
}

void TJeuDonnees::FermetureConnexion() {
  try {
    Close();
  } catch (...) {
    FermerCurseur();
  }
  FSelection.reset();
}

void TJeuDonnees::FinTransaction() {
  try {
    Close();
  } catch (...) {
    FermerCurseur();
  }
}

bool TJeuDonnees::LireLigne() {
  if (FToutLu || !FCurseur) return false;
  constexpr int LignesParBloc = 256;
  const int taille = int(FSelection->TailleSortie());
  if (FBlocs.empty() || FPlaceBloc == LignesParBloc) {
    FBlocs.push_back(std::make_unique<char[]>(size_t(taille) * LignesParBloc));
    FPlaceBloc = 0;
  }
  char* place = FBlocs.back().get() + size_t(taille) * FPlaceBloc;
  if (!FStatutLecture) FStatutLecture = std::make_unique<Statut>();
  const int r = Appel([&] { return FCurseur->fetchNext(FStatutLecture->w(), place); });
  if (r != IStatus::RESULT_OK) {
    FermerCurseur();
    FToutLu = true;
    return false;
  }
  ++FPlaceBloc;
  TLigne l;
  l.data = QByteArray::fromRawData(place, taille);
  l.id = FProchainLu++;
  if (FSelection->AvecBlobs()) ChargerBlobs(l);
  FLignes.push_back(std::move(l));
  return true;
}

void TJeuDonnees::ChargerBlobs(TLigne& l) {
  const auto& cols = FSelection->Colonnes();
  l.blobs.assign(cols.size(), QByteArray());
  for (size_t i = 0; i < cols.size(); ++i) {
    const Colonne& c = cols[i];
    if (c.type != SQL_BLOB) continue;
    const auto* buf = reinterpret_cast<const unsigned char*>(l.data.constData());
    if (IndicateurNul(buf + c.offsetNull)) continue;
    ISC_QUAD id;
    std::memcpy(&id, buf + c.offset, sizeof id);
    l.blobs[i] = Appel([&] { return LireBlob(FConnexion->Attachement(), Transaction()->Handle(), id); });
  }
}

int TJeuDonnees::FetchMore(int n) {
  if (!Active()) return 0;
  const int avant = RecordCount();
  for (int i = 0; i < n && LireLigne(); ++i) {}
  const int apres = RecordCount();
  if (apres > avant) emit LignesLues(avant, apres - 1);
  return apres - avant;
}

void TJeuDonnees::FetchAll() {
  VerifierActif();
  const int avant = RecordCount();
  while (LireLigne()) {}
  if (RecordCount() > avant) emit LignesLues(avant, RecordCount() - 1);
}

bool TJeuDonnees::AssurerLigne(int idx) {
  const int avant = RecordCount();
  while (idx >= static_cast<int>(FLignes.size()) && LireLigne()) {}
  if (RecordCount() > avant) emit LignesLues(avant, RecordCount() - 1);
  return idx >= 0 && idx < static_cast<int>(FLignes.size());
}

void TJeuDonnees::VerifierActif() const {
  if (!Active()) throw EErreur(QStringLiteral("%1 : le jeu de données est fermé.").arg(Name()));
}

void TJeuDonnees::Deplacer(int idx, bool bEof, bool bBof) {
  const bool bBouge = idx != FCourant;
  FCourant = idx;
  FEof = bEof;
  FBof = bBof;
  if (bBouge) Notifier(TEvenementJeu::deDataSetScroll);
  Appeler(AfterScroll);
}

void TJeuDonnees::First() {
  VerifierActif();
  CheckBrowseMode();
  Appeler(BeforeScroll);
  Deplacer(FLignes.empty() ? -1 : 0, FLignes.empty(), true);
}

void TJeuDonnees::Last() {
  VerifierActif();
  CheckBrowseMode();
  Appeler(BeforeScroll);
  FetchAll();
  Deplacer(int(FLignes.size()) - 1, true, FLignes.empty());
}

void TJeuDonnees::Next() { MoveBy(1); }
void TJeuDonnees::Prior() { MoveBy(-1); }

int TJeuDonnees::MoveBy(int n) {
  VerifierActif();
  CheckBrowseMode();
  Appeler(BeforeScroll);
  if (FLignes.empty()) {
    Deplacer(-1, true, true);
    return 0;
  }
  int cible = FCourant + n;
  bool eof = false, bof = false;
  if (n > 0 && !AssurerLigne(cible)) {
    cible = int(FLignes.size()) - 1;
    eof = true;
  } else if (n < 0 && cible < 0) {
    cible = 0;
    bof = true;
  }
  const int fait = cible - FCourant;
  Deplacer(cible, eof, bof);
  return fait;
}

void TJeuDonnees::SetRecNo(int n) {
  VerifierActif();
  CheckBrowseMode();
  if (n < 1 || !AssurerLigne(n - 1)) throw EErreur(QStringLiteral("%1 : ligne %2 inexistante.").arg(Name()).arg(n));
  Appeler(BeforeScroll);
  Deplacer(n - 1, false, false);
}

TSignet TJeuDonnees::Bookmark() const {
  if (FCourant < 0 || FCourant >= static_cast<int>(FLignes.size())) return 0;
  return FLignes[FCourant].id;
}

bool TJeuDonnees::BookmarkValid(TSignet b) {
  if (!Active() || b == 0) return false;
  if (b > 0) AssurerLigne(int(b - 1));
  for (const TLigne& l : FLignes)
    if (l.id == b) return true;
  return false;
}

void TJeuDonnees::GotoBookmark(TSignet b) {
  VerifierActif();
  if (!BookmarkValid(b)) throw EErreur(QStringLiteral("%1 : enregistrement introuvable.").arg(Name()));
  CheckBrowseMode();
  int idx = -1;
  for (size_t i = 0; i < FLignes.size(); ++i)
    if (FLignes[i].id == b) idx = int(i);
  Appeler(BeforeScroll);
  Deplacer(idx, false, false);
}

static bool Egal(const QVariant& champ, const QVariant& cherche, const TChamp& f, TOptionsLocate o) {
  const bool nulC = !champ.isValid() || champ.isNull();
  const bool nulV = !cherche.isValid() || cherche.isNull();
  if (nulC || nulV) return nulC && nulV;
  if (f.EstTexte()) {
    const QString a = champ.toString(), b = cherche.toString();
    const Qt::CaseSensitivity cs = o.bSansCasse ? Qt::CaseInsensitive : Qt::CaseSensitive;
    return o.bDebutSeulement ? a.startsWith(b, cs) : a.compare(b, cs) == 0;
  }
  if (f.DataType() == TTypeChamp::ftBoolean) return champ.toBool() == cherche.toBool();
  bool ok = false;
  double d = cherche.toDouble(&ok);
  if (!ok) {
    QString s = cherche.toString().trimmed();
    s.replace(',', '.');
    d = s.toDouble(&ok);
    if (!ok) return false;
  }
  const double c = champ.toDouble();
  return f.EstDate() ? std::abs(c - d) < 1e-8 : c == d;
}

bool TJeuDonnees::Locate(const QString& chChamps, const QVariant& valeurs, TOptionsLocate options) {
  VerifierActif();
  CheckBrowseMode();
  const QStringList noms = chChamps.split(';', Qt::SkipEmptyParts);
  if (noms.isEmpty()) return false;
  std::vector<const TChamp*> champs;
  for (const QString& n : noms) champs.push_back(&FieldByName(n.trimmed()));
  QVariantList vals;
  if (champs.size() == 1) vals << (valeurs.typeId() == QMetaType::QVariantList && valeurs.toList().size() == 1 ? valeurs.toList().first() : valeurs);
  else vals = valeurs.toList();
  if (vals.size() != static_cast<int>(champs.size()))
    throw EErreur(QStringLiteral("Locate : %1 valeurs pour %2 champs.").arg(vals.size()).arg(champs.size()));
  for (int i = 0; AssurerLigne(i); ++i) {
    bool ok = true;
    for (size_t k = 0; ok && k < champs.size(); ++k)
      ok = Egal(ValeurTampon(FLignes[i], champs[k]->Index()), vals[int(k)], *champs[k], options);
    if (ok) {
      Appeler(BeforeScroll);
      Deplacer(i, false, false);
      return true;
    }
  }
  return false;
}

TChamp& TJeuDonnees::Fields(int i) const {
  if (i < 0 || i >= FieldCount())
    throw EErreur(QStringLiteral("%1 : champ n° %2 inexistant.").arg(Name()).arg(i));
  return *FChamps[size_t(i)];
}

TChamp* TJeuDonnees::FindField(const QString& chNom) const {
  for (const auto& f : FChamps)
    if (f->FieldName().compare(chNom, Qt::CaseInsensitive) == 0) return f.get();
  return nullptr;
}

TChamp& TJeuDonnees::FieldByName(const QString& chNom) const {
  TChamp* f = FindField(chNom);
  if (!f) throw EErreur(QStringLiteral("%1 : champ '%2' introuvable.").arg(Name(), chNom));
  return *f;
}

QStringList TJeuDonnees::FieldNames() const {
  QStringList l;
  for (const auto& f : FChamps) l << f->FieldName();
  return l;
}

const TJeuDonnees::TLigne* TJeuDonnees::LigneActive() const {
  if (EnEdition()) return &FTampon;
  if (FCourant < 0 || FCourant >= static_cast<int>(FLignes.size())) return nullptr;
  return &FLignes[FCourant];
}

QVariant TJeuDonnees::ValeurTampon(const TLigne& l, int iChamp) const {
  if (!FSelection || l.data.isEmpty()) return {};
  const Colonne& c = FSelection->Colonnes()[iChamp];
  const QByteArray* blob = size_t(iChamp) < l.blobs.size() ? &l.blobs[iChamp] : nullptr;
  return LireValeur(reinterpret_cast<const unsigned char*>(l.data.constData()), c, FSelection->Codage(), blob);
}

void TJeuDonnees::EcrireTampon(TLigne& l, int iChamp, const QVariant& v) {
  const auto& cols = FSelection->Colonnes();
  if (cols[iChamp].type == SQL_BLOB && l.blobs.size() < cols.size()) l.blobs.resize(cols.size());
  QByteArray* blob = size_t(iChamp) < l.blobs.size() ? &l.blobs[iChamp] : nullptr;
  EcrireValeur(reinterpret_cast<unsigned char*>(l.data.data()), cols[iChamp], v, FSelection->Codage(), blob);
}

const unsigned char* TJeuDonnees::Brut(int i, const Colonne*& c) const {
  const TLigne* l = LigneActive();
  if (!l || l->data.isEmpty() || !FSelection) return nullptr;
  c = &FSelection->Colonnes()[i];
  const auto* buf = reinterpret_cast<const unsigned char*>(l->data.constData());
  return IndicateurNul(buf + c->offsetNull) ? nullptr : buf;
}

bool TJeuDonnees::TexteUtf8() const { return FSelection && FSelection->Codage().bUtf8; }

QVariant TJeuDonnees::LireChamp(int i) const {
  const TLigne* l = LigneActive();
  return l ? ValeurTampon(*l, i) : QVariant();
}

QVariant TJeuDonnees::ValeurLigne(int r, int iChamp) const {
  if (r < 0 || r >= static_cast<int>(FLignes.size())) return {};
  if (r == FCourant && EnEdition()) return ValeurTampon(FTampon, iChamp);
  return ValeurTampon(FLignes[r], iChamp);
}

void TJeuDonnees::EcrireChamp(int i, const QVariant& v) {
  if (!EnEdition()) throw EErreur(QStringLiteral("%1 : le jeu de données n'est pas en modification.").arg(Name()));
  if (FChamps[i]->ReadOnly()) throw EErreur(QStringLiteral("Le champ '%1' ne peut pas être modifié.").arg(FChamps[i]->FieldName()));
  EcrireTampon(FTampon, i, v);
  FModifie = true;
  Notifier(TEvenementJeu::deFieldChange, FChamps[i].get());
}

void TJeuDonnees::CheckBrowseMode() {
  if (!EnEdition()) return;
  Notifier(TEvenementJeu::deUpdateRecord);
  if (FModifie) Post();
  else Cancel();
}

void TJeuDonnees::Operation(const std::function<void()>& op, const TErreurJeu& gestion) {
  for (;;) {
    try {
      op();
      return;
    } catch (const EErreur& e) {
      TActionErreur a = TActionErreur::daFail;
      if (gestion) gestion(*this, e, a);
      if (a == TActionErreur::daFail) throw;
      if (a == TActionErreur::daAbort) throw EAbandon();
    }
  }
}

void TJeuDonnees::InsererOuAjouter(bool bFin) {
  VerifierActif();
  CheckBrowseMode();
  if (!PeutAjouter()) throw EErreur(QStringLiteral("%1 : ajout impossible sur ce jeu de données.").arg(Name()));
  Appeler(BeforeInsert);
  Appeler(BeforeScroll);
  if (bFin) FetchAll();
  TLigne l;
  l.id = FProchainAjout--;
  l.data = QByteArray(int(FSelection->TailleSortie()), '\0');
  for (const Colonne& c : FSelection->Colonnes()) *reinterpret_cast<short*>(l.data.data() + c.offsetNull) = -1;
  if (FSelection->AvecBlobs()) l.blobs.assign(FSelection->Colonnes().size(), QByteArray());
  const int pos = bFin || FLignes.empty() ? int(FLignes.size()) : qMax(FCourant, 0);
  FTampon = l;
  FAncien = l;
  FLignes.insert(FLignes.begin() + pos, std::move(l));
  FCourant = pos;
  FEof = FBof = false;
  FEtat = TEtatJeu::dsInsert;
  FModifie = false;
  try {
    Appeler(OnNewRecord);
  } catch (...) {
    FLignes.erase(FLignes.begin() + pos);
    FCourant = FLignes.empty() ? -1 : qMin(pos, int(FLignes.size()) - 1);
    FEtat = TEtatJeu::dsBrowse;
    FModifie = false;
    throw;
  }
  Notifier(TEvenementJeu::deUpdateState);
  Notifier(TEvenementJeu::deDataSetChange);
  Appeler(AfterInsert);
  Appeler(AfterScroll);
}

void TJeuDonnees::Insert() { InsererOuAjouter(false); }
void TJeuDonnees::Append() { InsererOuAjouter(true); }

void TJeuDonnees::Edit() {
  if (EnEdition()) return;
  VerifierActif();
  if (FLignes.empty()) {
    Insert();
    return;
  }
  if (!PeutEditer()) throw EErreur(QStringLiteral("%1 : modification impossible sur ce jeu de données.").arg(Name()));
  Appeler(BeforeEdit);
  Operation([&] {
    FTampon = FLignes[FCourant];
    FAncien = FTampon;
  }, OnEditError);
  FEtat = TEtatJeu::dsEdit;
  FModifie = false;
  Notifier(TEvenementJeu::deUpdateState);
  Appeler(AfterEdit);
}

void TJeuDonnees::VerifierRequis() {
  for (const auto& f : FChamps)
    if (f->Required() && !f->ReadOnly() && !LireChamp(f->Index()).isValid())
      throw EErreur(QStringLiteral("Le champ '%1' doit être renseigné.").arg(f->DisplayLabel()));
}

void TJeuDonnees::Post() {
  if (!EnEdition()) return;
  Notifier(TEvenementJeu::deUpdateRecord);
  Appeler(BeforePost);
  const bool bInsertion = FEtat == TEtatJeu::dsInsert;
  Operation([&] {
    VerifierRequis();
    InternalPost(bInsertion);
  }, OnPostError);
  // The row keeps its identity; its content becomes the posted buffer.
  const TSignet id = FLignes[FCourant].id;
  FLignes[FCourant] = FTampon;
  FLignes[FCourant].id = id;
  FTampon = FAncien = TLigne();
  FEtat = TEtatJeu::dsBrowse;
  FModifie = false;
  Notifier(TEvenementJeu::deUpdateState);
  Notifier(TEvenementJeu::deRecordChange);
  Appeler(AfterPost);
}

void TJeuDonnees::Cancel() {
  if (!EnEdition()) return;
  Appeler(BeforeCancel);
  if (FEtat == TEtatJeu::dsInsert) {
    FLignes.erase(FLignes.begin() + FCourant);
    if (FCourant >= static_cast<int>(FLignes.size())) FCourant = int(FLignes.size()) - 1;
    FEof = FLignes.empty();
    FBof = FLignes.empty();
  }
  FTampon = FAncien = TLigne();
  FEtat = TEtatJeu::dsBrowse;
  FModifie = false;
  Notifier(TEvenementJeu::deUpdateState);
  Notifier(TEvenementJeu::deDataSetChange);
  Appeler(AfterCancel);
}

void TJeuDonnees::Delete() {
  VerifierActif();
  if (FEtat == TEtatJeu::dsInsert) {
    Cancel();
    return;
  }
  if (FLignes.empty()) throw EErreur(QStringLiteral("%1 : aucun enregistrement à supprimer.").arg(Name()));
  if (!PeutSupprimer()) throw EErreur(QStringLiteral("%1 : suppression impossible sur ce jeu de données.").arg(Name()));
  Appeler(BeforeDelete);
  Appeler(BeforeScroll);
  Operation([&] {
    FAncien = FLignes[FCourant];
    InternalDelete();
  }, OnDeleteError);
  FLignes.erase(FLignes.begin() + FCourant);
  if (FCourant >= static_cast<int>(FLignes.size())) AssurerLigne(FCourant);
  if (FCourant >= static_cast<int>(FLignes.size())) FCourant = int(FLignes.size()) - 1;
  FTampon = FAncien = TLigne();
  FEtat = TEtatJeu::dsBrowse;
  FModifie = false;
  FEof = FLignes.empty();
  FBof = FLignes.empty();
  Notifier(TEvenementJeu::deUpdateState);
  Notifier(TEvenementJeu::deDataSetChange);
  Appeler(AfterDelete);
  Appeler(AfterScroll);
}

void TJeuDonnees::InternalPost(bool) {
  throw EErreur(QStringLiteral("%1 : jeu de données en lecture seule.").arg(Name()));
}

void TJeuDonnees::InternalDelete() {
  throw EErreur(QStringLiteral("%1 : jeu de données en lecture seule.").arg(Name()));
}

void TJeuDonnees::Refresh() {
  VerifierActif();
  CheckBrowseMode();
  const int n = RecNo();
  DisableControls();
  try {
    Close();
    Open();
    if (n > 1) {
      AssurerLigne(n - 1);
      const int idx = qMin(n, RecordCount()) - 1;
      if (idx >= 0) {
        Appeler(BeforeScroll);
        Deplacer(idx, false, idx == 0);
      }
    }
  } catch (...) {
    EnableControls();
    throw;
  }
  EnableControls();
}

void TJeuDonnees::EnableControls() {
  if (FDesactive == 0) return;
  if (--FDesactive > 0) return;
  if (FEtat != FEtatDesactive) Notifier(TEvenementJeu::deUpdateState);
  Notifier(TEvenementJeu::deDataSetChange);
}

void TJeuDonnees::AjouterSource(TSourceDonnees* s) {
  if (!FSources.contains(s)) FSources << s;
}

void TJeuDonnees::RetirerSource(TSourceDonnees* s) { FSources.removeAll(s); }

void TJeuDonnees::Notifier(TEvenementJeu e, TChamp* f) {
  if (FDesactive > 0) return;
  const QList<TSourceDonnees*> sources = FSources;
  for (TSourceDonnees* s : sources) s->Recevoir(e, f);
}
