#include "fb/jeumodifiable.h"

#include "fb/instruction.h"

#include <cstring>

using namespace fbi;

TJeuModifiable::TJeuModifiable(QObject* parent) : TJeuDonnees(parent) {}
TJeuModifiable::~TJeuModifiable() = default;

bool TJeuModifiable::CanModify() const { return PeutAjouter() || PeutEditer() || PeutSupprimer(); }

void TJeuModifiable::FixerSql(int i, const QString& s) {
  if (s == FSql[i]) return;
  FSql[i] = s;
  FInstr[i].reset();
}

void TJeuModifiable::FermetureConnexion() {
  for (auto& i : FInstr) i.reset();
  TJeuDonnees::FermetureConnexion();
}

TInstruction& TJeuModifiable::Instruction(int i) {
  if (!FInstr[i] || !FInstr[i]->Prete()) {
    VerifierConnexion();
    auto instr = std::make_unique<TInstruction>(Database());
    instr->Preparer(Transaction(), FSql[i]);
    FInstr[i] = std::move(instr);
  }
  return *FInstr[i];
}

std::vector<TParametre> TJeuModifiable::ValeursParametres(TInstruction& instr, const TLigne& nouv,
                                                          const TLigne& anc) {
  std::vector<TParametre> vals;
  for (const QString& nom : instr.NomsEntree()) {
    TParametre p(nom);
    const bool bAncien = nom.startsWith(QLatin1String("OLD_"), Qt::CaseInsensitive);
    const TLigne* source = &nouv;
    TChamp* f = bAncien ? FindField(nom.mid(4)) : nullptr;
    if (f) source = &anc;
    else f = FindField(nom);  // also a column whose own name begins with OLD_
    if (f) {
      p.FixerSortie(f->TypeValeur(), ValeurTampon(*source, f->Index()));
    } else if (TParametre* s = Params().FindParam(nom)) {
      p = *s;  // a parameter of the selection (master key, filter)
    } else {
      throw EErreur(QStringLiteral("%1 : le paramètre %2 ne correspond à aucun champ.").arg(Name(), nom));
    }
    vals.push_back(p);
  }
  return vals;
}

static std::vector<const TParametre*> Pointeurs(const std::vector<TParametre>& v) {
  std::vector<const TParametre*> r;
  for (const TParametre& p : v) r.push_back(&p);
  return r;
}

void TJeuModifiable::Relire(TLigne& cible) {
  if (FSql[0].trimmed().isEmpty()) return;
  TInstruction& ins = Instruction(0);
  const auto vals = ValeursParametres(ins, cible, cible);
  QByteArray sortie(int(ins.TailleSortie()), '\0');
  auto* buf = reinterpret_cast<unsigned char*>(sortie.data());
  ins.Executer(Transaction(), Pointeurs(vals), buf);
  const auto& cols = ins.Colonnes();
  // A refresh that finds nothing leaves the row as it was posted.
  bool trouve = false;
  for (const Colonne& c : cols)
    if (!*reinterpret_cast<short*>(buf + c.offsetNull)) trouve = true;
  if (!trouve) return;
  for (const Colonne& c : cols) {
    TChamp* f = FindField(c.chNom);
    if (!f) continue;
    QByteArray blob;
    if (c.type == SQL_BLOB && !*reinterpret_cast<short*>(buf + c.offsetNull)) {
      ISC_QUAD id;
      std::memcpy(&id, buf + c.offset, sizeof id);
      blob = Appel([&] { return LireBlob(Database()->Attachement(), Transaction()->Handle(), id); });
    }
    EcrireTampon(cible, f->Index(), LireValeur(buf, c, ins.Codage(), &blob));
  }
}

void TJeuModifiable::InternalPost(bool bInsertion) {
  TInstruction& ins = Instruction(bInsertion ? 1 : 2);
  const auto vals = ValeursParametres(ins, Tampon(), Ancien());
  const qint64 n = ins.Executer(Transaction(), Pointeurs(vals));
  if (n == 0 && !bInsertion)
    throw EErreur(QStringLiteral("L'enregistrement n'existe plus : il a été supprimé ou sa clé a changé sur un autre poste."));
  Relire(Tampon());
}

void TJeuModifiable::InternalDelete() {
  TInstruction& ins = Instruction(3);
  const auto vals = ValeursParametres(ins, Ancien(), Ancien());
  ins.Executer(Transaction(), Pointeurs(vals));
}

void TJeuModifiable::RefreshRecord() {
  if (!Active() || IsEmpty() || EnEdition()) return;
  Relire(LigneCourante());
  Notifier(TEvenementJeu::deRecordChange);
}
