#include "fb/procedurestockee.h"

#include "fb/instruction.h"
#include "fb/transaction.h"

using namespace fbi;

TProcedureStockee::TProcedureStockee(QObject* parent) : QObject(parent) {}

TProcedureStockee::~TProcedureStockee() {
  FInstr.reset();
  if (FConnexion) FConnexion->RetirerClient(this);
}

void TProcedureStockee::SetDatabase(TConnexion* c) {
  if (c == FConnexion) return;
  Unprepare();
  if (FConnexion) FConnexion->RetirerClient(this);
  FConnexion = c;
  if (c) c->AjouterClient(this);
}

TTransaction* TProcedureStockee::Transaction() const {
  if (FTransaction) return FTransaction;
  return FConnexion ? FConnexion->DefaultTransaction() : nullptr;
}

void TProcedureStockee::SetTransaction(TTransaction* t) {
  FTransaction = t;
  if (t && !FConnexion) SetDatabase(t->DefaultDatabase());
}

void TProcedureStockee::SetStoredProcName(const QString& chNom) {
  if (chNom == FNom) return;
  Unprepare();
  FNom = chNom;
  FParams.Vider();
}

bool TProcedureStockee::Prepared() const { return FInstr && FInstr->Prete(); }

void TProcedureStockee::Unprepare() {
  FInstr.reset();
}

void TProcedureStockee::Prepare() {
  if (Prepared()) return;
  if (!FConnexion || !FConnexion->Connected())
    throw EErreur(QStringLiteral("%1 : la base de données n'est pas connectée.").arg(FNom));
  TTransaction* t = Transaction();
  if (!t) throw EErreur(QStringLiteral("%1 : aucune transaction associée.").arg(FNom));
  const QString nom = FNom.trimmed().toUpper();
  if (nom.isEmpty()) throw EErreur(QStringLiteral("Procédure stockée non indiquée."));

  // Declared parameters, outputs (type 1) first, then inputs, in declaration order.
  TParametre pNom(QStringLiteral("NOM"));
  pNom.SetAsString(nom);
  TInstruction existe(FConnexion);
  existe.Preparer(t, QStringLiteral("SELECT COUNT(*) FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME = :NOM "
                                    "AND RDB$PACKAGE_NAME IS NULL"));
  QByteArray sortie(int(existe.TailleSortie()), '\0');
  existe.Executer(t, {&pNom}, reinterpret_cast<unsigned char*>(sortie.data()));
  if (LireValeur(reinterpret_cast<const unsigned char*>(sortie.constData()), existe.Colonnes()[0], existe.Codage()).toLongLong() == 0)
    throw EErreur(QStringLiteral("Procédure stockée inexistante : %1").arg(FNom));

  TInstruction decl(FConnexion);
  decl.Preparer(t, QStringLiteral(
      "SELECT TRIM(RDB$PARAMETER_NAME), RDB$PARAMETER_TYPE FROM RDB$PROCEDURE_PARAMETERS "
      "WHERE RDB$PROCEDURE_NAME = :NOM AND RDB$PACKAGE_NAME IS NULL "
      "ORDER BY RDB$PARAMETER_TYPE DESC, RDB$PARAMETER_NUMBER"));
  QStringList sorties, entrees;
  Appel([&] {
    Firebird::IResultSet* rs = decl.Ouvrir(t, {&pNom});
    QByteArray ligne(int(decl.TailleSortie()), '\0');
    auto* buf = reinterpret_cast<unsigned char*>(ligne.data());
    Statut st;
    try {
      while (rs->fetchNext(&st, buf) == Firebird::IStatus::RESULT_OK) {
        const QString n = LireValeur(buf, decl.Colonnes()[0], decl.Codage()).toString();
        if (LireValeur(buf, decl.Colonnes()[1], decl.Codage()).toInt() == 1) sorties << n;
        else entrees << n;
      }
      rs->close(&st);
    } catch (...) {
      rs->release();
      throw;
    }
  });

  FParams.Definir(sorties + entrees);
  FNbSorties = int(sorties.size());
  FEntrees = entrees;
  QString args;
  if (!entrees.isEmpty()) {
    QStringList l;
    for (const QString& e : entrees) l << ':' + e;
    args = '(' + l.join(QStringLiteral(", ")) + ')';
  }
  FTexte = (sorties.isEmpty() ? QStringLiteral("EXECUTE PROCEDURE ") : QStringLiteral("SELECT * FROM ")) +
           nom + args + QLatin1Char(';');
  auto instr = std::make_unique<TInstruction>(FConnexion);
  instr->Preparer(t, FTexte);
  FInstr = std::move(instr);
}

void TProcedureStockee::ExecProc() {
  Prepare();
  std::vector<const TParametre*> entrees;
  for (const QString& n : FInstr->NomsEntree()) entrees.push_back(FParams.FindParam(n));
  QByteArray sortie(int(FInstr->TailleSortie()), '\0');
  auto* buf = reinterpret_cast<unsigned char*>(sortie.data());
  FInstr->Executer(Transaction(), entrees, FNbSorties > 0 ? buf : nullptr);
  const auto& cols = FInstr->Colonnes();
  for (int i = 0; i < FNbSorties && i < int(cols.size()); ++i) {
    const Colonne& c = cols[i];
    TTypeValeur t = TTypeValeur::Texte;
    switch (c.type) {
      case SQL_SHORT: case SQL_LONG: case SQL_INT64:
        t = c.echelle < 0 ? TTypeValeur::Reel : TTypeValeur::Entier; break;
      case SQL_FLOAT: case SQL_DOUBLE: case SQL_D_FLOAT: t = TTypeValeur::Reel; break;
      case SQL_TYPE_DATE: t = TTypeValeur::Date; break;
      case SQL_TYPE_TIME: t = TTypeValeur::Heure; break;
      case SQL_TIMESTAMP: t = TTypeValeur::DateHeure; break;
      case SQL_BOOLEAN: t = TTypeValeur::Booleen; break;
      default: break;
    }
    FParams[i].FixerSortie(t, LireValeur(buf, c, FInstr->Codage()));
  }
}
