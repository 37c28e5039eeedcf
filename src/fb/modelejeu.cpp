#include "fb/modelejeu.h"

#include "fb/sourcedonnees.h"

TModeleJeu::TModeleJeu(QObject* parent) : QAbstractTableModel(parent) {}

void TModeleJeu::SetSource(TSourceDonnees* s) {
  for (const auto& c : FLiens) disconnect(c);
  FLiens.clear();
  FSource = s;
  if (s) {
    FLiens << connect(s, &TSourceDonnees::DataSetChange, this, &TModeleJeu::Reinitialiser);
    FLiens << connect(s, &TSourceDonnees::StateChange, this, &TModeleJeu::LigneChangee);
    FLiens << connect(s, &TSourceDonnees::DataChange, this, &TModeleJeu::ChampChange);
    FLiens << connect(s, &TSourceDonnees::destroyed, this, &TModeleJeu::Reinitialiser);
  }
  Reinitialiser();
}

TJeuDonnees* TModeleJeu::DataSet() const { return FSource ? FSource->DataSet() : nullptr; }

void TModeleJeu::Reinitialiser() {
  FEnReinit = true;
  beginResetModel();
  if (FJeu) disconnect(FJeu, &TJeuDonnees::LignesLues, this, &TModeleJeu::Lues);
  FJeu = DataSet();
  FColonnes.clear();
  FLignes = 0;
  if (FJeu && FJeu->Active() && FSource->Enabled()) {
    for (int i = 0; i < FJeu->FieldCount(); ++i)
      if (FJeu->Fields(i).Visible()) FColonnes.push_back(i);
    FLignes = FJeu->RecordCount();
    connect(FJeu, &TJeuDonnees::LignesLues, this, &TModeleJeu::Lues, Qt::UniqueConnection);
  }
  endResetModel();
  FEnReinit = false;
}

void TModeleJeu::Lues(int iPremiere, int iDerniere) {
  if (!FJeu || FJeu->RecordCount() <= FLignes) return;
  // Rows fetched by the dataset itself (navigation, locate): announce them.
  const int debut = FLignes;
  const int fin = FJeu->RecordCount() - 1;
  (void)iPremiere;
  (void)iDerniere;
  beginInsertRows({}, debut, fin);
  FLignes = fin + 1;
  endInsertRows();
}

void TModeleJeu::LigneChangee() {
  if (!FJeu || FLignes != FJeu->RecordCount()) {
    Reinitialiser();
    return;
  }
  const int r = FJeu->RecNo() - 1;
  if (r >= 0 && !FColonnes.empty()) emit dataChanged(index(r, 0), index(r, int(FColonnes.size()) - 1));
}

void TModeleJeu::ChampChange(TChamp* f) {
  if (!FJeu || FLignes != FJeu->RecordCount()) {
    Reinitialiser();
    return;
  }
  const int r = FJeu->RecNo() - 1;
  if (r < 0 || FColonnes.empty()) return;
  if (!f) {
    emit dataChanged(index(r, 0), index(r, int(FColonnes.size()) - 1));
    return;
  }
  const int c = ColonneChamp(f->FieldName());
  if (c >= 0) emit dataChanged(index(r, c), index(r, c));
}

TChamp* TModeleJeu::ChampColonne(int iColonne) const {
  if (!FJeu || iColonne < 0 || iColonne >= int(FColonnes.size())) return nullptr;
  return &FJeu->Fields(FColonnes[iColonne]);
}

int TModeleJeu::ColonneChamp(const QString& chNom) const {
  for (size_t c = 0; c < FColonnes.size(); ++c)
    if (FJeu && FJeu->Fields(FColonnes[c]).FieldName().compare(chNom, Qt::CaseInsensitive) == 0) return int(c);
  return -1;
}

int TModeleJeu::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : FLignes; }
int TModeleJeu::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(FColonnes.size()); }

QVariant TModeleJeu::data(const QModelIndex& index, int role) const {
  TChamp* f = ChampColonne(index.column());
  if (!f || index.row() >= FLignes) return {};
  const QVariant v = FJeu->ValeurLigne(index.row(), f->Index());
  switch (role) {
    case Qt::DisplayRole: return f->TexteValeur(v, true);
    case Qt::EditRole: return f->TexteValeur(v, false);
    case RoleValeur: return v;
    case Qt::TextAlignmentRole:
      return f->EstNumerique() ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant(int(Qt::AlignLeft | Qt::AlignVCenter));
    default: return {};
  }
}

QVariant TModeleJeu::headerData(int section, Qt::Orientation o, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (o == Qt::Vertical) return section + 1;
  TChamp* f = ChampColonne(section);
  return f ? QVariant(f->DisplayLabel()) : QVariant();
}

Qt::ItemFlags TModeleJeu::flags(const QModelIndex& index) const {
  Qt::ItemFlags fl = QAbstractTableModel::flags(index);
  TChamp* f = ChampColonne(index.column());
  if (f && FJeu->CanModify() && !f->ReadOnly()) fl |= Qt::ItemIsEditable;
  return fl;
}

bool TModeleJeu::setData(const QModelIndex& index, const QVariant& value, int role) {
  TChamp* f = ChampColonne(index.column());
  if (!f || role != Qt::EditRole || !FSource) return false;
  if (FJeu->RecNo() != index.row() + 1) FJeu->SetRecNo(index.row() + 1);
  if (!FSource->Edit()) return false;
  if (value.typeId() == QMetaType::QString) f->SetAsString(value.toString());
  else f->SetValue(value);
  return true;
}

bool TModeleJeu::canFetchMore(const QModelIndex& parent) const {
  return !parent.isValid() && FJeu && FJeu->Active() && !FJeu->ToutLu();
}

void TModeleJeu::fetchMore(const QModelIndex& parent) {
  if (!canFetchMore(parent)) return;
  if (FEnReinit) {
    // Asked by a view while the reset is being announced: rows cannot be inserted now.
    QMetaObject::invokeMethod(this, [this] { fetchMore({}); }, Qt::QueuedConnection);
    return;
  }
  FJeu->FetchMore(TailleLot);  // announced through LignesLues
}
