#include "fb/instruction.h"

#include "fb/connexion.h"
#include "fb/transaction.h"

#include <cstring>

using namespace Firebird;
using namespace fbi;

void TInstruction::Preparer(TTransaction* t, const QString& chSql, bool bParams) {
  Liberer();
  if (!FConnexion || !FConnexion->Connected()) throw EErreur(QStringLiteral("La connexion n'est pas ouverte."));
  if (!t) throw EErreur(QStringLiteral("Aucune transaction associée."));
  if (chSql.trimmed().isEmpty()) throw EErreur(QStringLiteral("Texte SQL vide."));
  t->AssurerActive();
  FCodage.bUtf8 = FConnexion->TexteUtf8();
  QString sql = chSql;
  if (bParams) sql = TraduireParametres(chSql, FNoms);
  else FNoms.clear();
  const QByteArray texte = FCodage.Encode(sql);
  Appel([&] {
    Statut st;
    FInstr = FConnexion->Attachement()->prepare(&st, t->Handle(), texte.size(), texte.constData(), 3,
                                                IStatement::PREPARE_PREFETCH_METADATA);
    FType = FInstr->getType(&st);
    FMetaEntreeDecl = FInstr->getInputMetadata(&st);
    FMetaSortie = FInstr->getOutputMetadata(&st);
    FColonnes = LireColonnes(FMetaSortie);
    FTailleSortie = FMetaSortie->getMessageLength(&st);
    if (FMetaEntreeDecl->getCount(&st) != static_cast<unsigned>(FNoms.size()))
      throw EErreur(QStringLiteral("Paramètres incohérents dans : %1").arg(chSql));
  });
  FAvecBlobs = false;
  for (const Colonne& c : FColonnes)
    if (c.type == SQL_BLOB) FAvecBlobs = true;
}

void TInstruction::LibererEntree() {
  if (FMetaEntree) FMetaEntree->release();
  FMetaEntree = nullptr;
}

void TInstruction::Liberer() {
  LibererEntree();
  if (FMetaEntreeDecl) FMetaEntreeDecl->release();
  if (FMetaSortie) FMetaSortie->release();
  FMetaEntreeDecl = FMetaSortie = nullptr;
  if (FInstr) {
    Statut st;
    try {
      FInstr->free(&st);
    } catch (const FbException&) {
      FInstr->release();  // connection lost: only the client's copy remains
    }
    FInstr = nullptr;
  }
  FColonnes.clear();
  FTailleSortie = 0;
}

bool TInstruction::EstSelection() const {
  return FType == isc_info_sql_stmt_select || FType == isc_info_sql_stmt_select_for_upd;
}

void TInstruction::ConstruireEntree(TTransaction* t, const std::vector<const TParametre*>& entrees) {
  LibererEntree();
  Statut st;
  IMetadataBuilder* b = FMetaEntreeDecl->getBuilder(&st);
  const unsigned n = FMetaEntreeDecl->getCount(&st);
  const unsigned cs = FCodage.bUtf8 ? 4 : 21;
  std::vector<QByteArray> textes(n);
  try {
    for (unsigned i = 0; i < n; ++i) {
      const TParametre* p = i < entrees.size() ? entrees[i] : nullptr;
      const unsigned typeDecl = FMetaEntreeDecl->getType(&st, i) & ~1u;
      if (!p || p->IsNull() || typeDecl == SQL_BLOB) {
        // Keep the declared type (a blob is created from the value), always nullable.
        b->setType(&st, i, typeDecl | 1);
        continue;
      }  // a blob is created from the value below
      switch (p->Type()) {
        case TTypeValeur::Entier:
          b->setType(&st, i, SQL_INT64 + 1); b->setScale(&st, i, 0); b->setLength(&st, i, 8);
          break;
        case TTypeValeur::Reel:
          b->setType(&st, i, SQL_DOUBLE + 1); b->setScale(&st, i, 0); b->setLength(&st, i, 8);
          break;
        case TTypeValeur::Date: b->setType(&st, i, SQL_TYPE_DATE + 1); b->setLength(&st, i, 4); break;
        case TTypeValeur::Heure: b->setType(&st, i, SQL_TYPE_TIME + 1); b->setLength(&st, i, 4); break;
        case TTypeValeur::DateHeure: b->setType(&st, i, SQL_TIMESTAMP + 1); b->setLength(&st, i, 8); break;
        case TTypeValeur::Booleen:
          if (typeDecl == SQL_BOOLEAN) break;
          b->setType(&st, i, SQL_INT64 + 1); b->setScale(&st, i, 0); b->setLength(&st, i, 8);
          break;
        case TTypeValeur::Texte:
        case TTypeValeur::Binaire: {
          textes[i] = p->Type() == TTypeValeur::Texte ? FCodage.Encode(p->AsString()) : p->Value().toByteArray();
          b->setType(&st, i, SQL_VARYING + 1);
          b->setSubType(&st, i, 0);
          b->setScale(&st, i, 0);
          b->setCharSet(&st, i, p->Type() == TTypeValeur::Texte ? cs : 1);
          b->setLength(&st, i, static_cast<unsigned>(qMax<qsizetype>(1, textes[i].size())));
          break;
        }
        case TTypeValeur::Nul: break;
      }
    }
    FMetaEntree = b->getMetadata(&st);
  } catch (...) {
    b->release();
    throw;
  }
  b->release();
  const unsigned taille = FMetaEntree->getMessageLength(&st);
  FTamponEntree = QByteArray(static_cast<int>(taille), '\0');
  auto* buf = reinterpret_cast<unsigned char*>(FTamponEntree.data());
  for (unsigned i = 0; i < n; ++i) {
    const TParametre* p = i < entrees.size() ? entrees[i] : nullptr;
    auto* nul = reinterpret_cast<short*>(buf + FMetaEntree->getNullOffset(&st, i));
    unsigned char* v = buf + FMetaEntree->getOffset(&st, i);
    const unsigned type = FMetaEntree->getType(&st, i) & ~1u;
    if (!p || p->IsNull()) { *nul = -1; continue; }
    *nul = 0;
    switch (type) {
      case SQL_INT64: *reinterpret_cast<qint64*>(v) = p->Type() == TTypeValeur::Booleen ? (p->AsBoolean() ? 1 : 0) : p->AsLargeInt(); break;
      case SQL_DOUBLE: *reinterpret_cast<double*>(v) = p->AsDouble(); break;
      case SQL_TYPE_DATE: *reinterpret_cast<ISC_DATE*>(v) = VersIscDate(p->AsDouble()); break;
      case SQL_TYPE_TIME: *reinterpret_cast<ISC_TIME*>(v) = VersIscTime(p->AsDouble()); break;
      case SQL_TIMESTAMP: {
        auto* ts = reinterpret_cast<ISC_TIMESTAMP*>(v);
        ts->timestamp_date = VersIscDate(p->AsDouble());
        ts->timestamp_time = VersIscTime(p->AsDouble());
        break;
      }
      case SQL_BOOLEAN: *v = p->AsBoolean() ? 1 : 0; break;
      case SQL_VARYING: {
        const QByteArray& t = textes[i];
        *reinterpret_cast<quint16*>(v) = static_cast<quint16>(t.size());
        std::memcpy(v + 2, t.constData(), t.size());
        break;
      }
      case SQL_BLOB: {
        const QByteArray data = p->Type() == TTypeValeur::Binaire ? p->Value().toByteArray()
                                                                  : FCodage.Encode(p->AsString());
        *reinterpret_cast<ISC_QUAD*>(v) = CreerBlob(FConnexion->Attachement(), t->Handle(), data);
        break;
      }
      default:
        throw EErreur(QStringLiteral("Paramètre %1 : type non géré").arg(FNoms.value(int(i))));
    }
  }
}

IResultSet* TInstruction::Ouvrir(TTransaction* t, const std::vector<const TParametre*>& entrees) {
  if (!FInstr) throw EErreur(QStringLiteral("Instruction non préparée."));
  t->AssurerActive();
  return Appel([&] {
    ConstruireEntree(t, entrees);
    Statut st;
    return FInstr->openCursor(&st, t->Handle(), FMetaEntree, FTamponEntree.data(), FMetaSortie, 0);
  });
}

qint64 TInstruction::Executer(TTransaction* t, const std::vector<const TParametre*>& entrees,
                              unsigned char* sortie) {
  if (!FInstr) throw EErreur(QStringLiteral("Instruction non préparée."));
  t->AssurerActive();
  return Appel([&]() -> qint64 {
    ConstruireEntree(t, entrees);
    Statut st;
    if (EstSelection()) {
      // A selection run for its first row (a selectable procedure, for example).
      IResultSet* rs = FInstr->openCursor(&st, t->Handle(), FMetaEntree, FTamponEntree.data(), FMetaSortie, 0);
      QByteArray poubelle;
      if (!sortie) { poubelle = QByteArray(int(FTailleSortie), '\0'); sortie = reinterpret_cast<unsigned char*>(poubelle.data()); }
      try {
        if (rs->fetchNext(&st, sortie) != IStatus::RESULT_OK) {
          for (const Colonne& c : FColonnes) *reinterpret_cast<short*>(sortie + c.offsetNull) = -1;
        }
        rs->close(&st);
      } catch (...) {
        rs->release();
        throw;
      }
      return -1;
    }
    QByteArray poubelle;
    if (!sortie && !FColonnes.empty()) {
      poubelle = QByteArray(int(FTailleSortie), '\0');
      sortie = reinterpret_cast<unsigned char*>(poubelle.data());
    }
    FInstr->execute(&st, t->Handle(), FMetaEntree, FTamponEntree.data(),
                    FColonnes.empty() ? nullptr : FMetaSortie, sortie);
    if (FType == isc_info_sql_stmt_insert || FType == isc_info_sql_stmt_update ||
        FType == isc_info_sql_stmt_delete)
      return static_cast<qint64>(FInstr->getAffectedRecords(&st));
    return -1;
  });
}
