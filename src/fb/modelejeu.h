#pragma once
// A table model over a dataset (through its data source), for grids: one column per
// visible field, headed by its label; rows are fetched as the view scrolls. Editing a
// cell moves to its row and starts an edit; posting stays with the caller.

#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

class TSourceDonnees;
class TJeuDonnees;
class TChamp;

class TModeleJeu : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TModeleJeu(QObject* parent = nullptr);

  TSourceDonnees* Source() const { return FSource; }
  void SetSource(TSourceDonnees* s);
  TJeuDonnees* DataSet() const;
  // Field shown in a column (nullptr outside).
  TChamp* ChampColonne(int iColonne) const;
  int ColonneChamp(const QString& chNom) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

  // Rows fetched in one go when the view asks for more.
  static constexpr int TailleLot = 256;
  // Role giving the raw value (QVariant of the field), the display role giving the text.
  static constexpr int RoleValeur = Qt::UserRole + 1;

 private:
  void Reinitialiser();
  void LigneChangee();
  void ChampChange(TChamp* f);
  void Lues(int iPremiere, int iDerniere);

  QPointer<TSourceDonnees> FSource;
  QPointer<TJeuDonnees> FJeu;
  std::vector<int> FColonnes;  // field index of each column
  int FLignes = 0;             // rows the model has announced
  bool FEnReinit = false;
  QList<QMetaObject::Connection> FLiens;
};
