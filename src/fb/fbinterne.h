#pragma once
// Private to the database access layer: the client library's interfaces, the conversion of
// its failures into EErreurBase, and the coding of values into its message buffers.
// Never included outside src/fb.

#include "fb/erreurbase.h"
#include "base/datetime.h"

#include <firebird/Interface.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace fbi {

Firebird::IMaster* Maitre();
Firebird::IUtil* Util();

// Error built from a failed status (message formatted by the client library).
EErreurBase ErreurDepuis(Firebird::IStatus* status);

// Status wrapper whose failures throw Firebird::FbException; Capturer turns them into
// EErreurBase. Every call into the client library goes through one of these.
class Statut {
 public:
  Statut() : FStatus(Maitre()->getStatus()), FWrapper(FStatus) {}
  ~Statut() { FStatus->dispose(); }
  Firebird::ThrowStatusWrapper* operator&() { return &FWrapper; }
  Firebird::ThrowStatusWrapper* w() { return &FWrapper; }

 private:
  Firebird::IStatus* FStatus;
  Firebird::ThrowStatusWrapper FWrapper;
};

// Runs f and turns a client-library failure into EErreurBase.
template <typename F>
auto Appel(F&& f) -> decltype(f()) {
  try {
    return f();
  } catch (const Firebird::FbException& e) {
    throw ErreurDepuis(e.getStatus());
  }
}

// Day counts (day 0 = 1899-12-30) against the server's date (days since 1858-11-17) and
// time (1/10000 s since midnight).
constexpr int DecalageJours = 15018;
ISC_DATE VersIscDate(TDateTime dt);
ISC_TIME VersIscTime(TDateTime dt);
TDateTime DepuisIsc(ISC_DATE d, ISC_TIME t);

// Text at the boundary: the connection speaks ISO8859_1 unless told UTF8. The 8-bit
// texts are those of the Western European Windows code page: the characters it places in
// 0x80-0x9F (euro sign, typographic quotes, oe ligature...) travel as those bytes, which
// ISO8859_1 stores unchanged. A character with no 8-bit code is refused, never replaced.
QByteArray EncodeTexte8(const QString& s);
QString DecodeTexte8(const char* p, int n);

struct Codage {
  bool bUtf8 = false;
  QByteArray Encode(const QString& s) const { return bUtf8 ? s.toUtf8() : EncodeTexte8(s); }
  QString Decode(const char* p, int n) const {
    return bUtf8 ? QString::fromUtf8(p, n) : DecodeTexte8(p, n);
  }
};

// One column of an output message.
struct Colonne {
  QString chNom;        // alias as the statement names it
  QString chRelation;   // relation of origin (empty for expressions)
  QString chChamp;      // column of origin
  unsigned type = 0;    // SQL_xxx without the null bit
  int sousType = 0;
  int echelle = 0;
  unsigned longueur = 0;
  unsigned offset = 0;
  unsigned offsetNull = 0;
  unsigned charset = 0;
  bool bNullable = true;
};

std::vector<Colonne> LireColonnes(Firebird::IMessageMetadata* meta);

// Reads the value of a column from a message buffer; blobs come from pBlob (already
// loaded). Null gives an invalid QVariant.
QVariant LireValeur(const unsigned char* buf, const Colonne& c, const Codage& cod,
                    const QByteArray* pBlob = nullptr);
// Fast reads for the common types (no QVariant); false when the column needs the
// general path. The null flag has been checked by the caller.
bool LireEntier(const unsigned char* buf, const Colonne& c, qint64& v);
bool LireReel(const unsigned char* buf, const Colonne& c, double& v);
bool LireTexte(const unsigned char* buf, const Colonne& c, const Codage& cod, QString& v);

// Writes v into a message buffer of the same layout (used by the edit buffers of the
// updatable datasets); throws EErreur when the value does not fit the column.
void EcrireValeur(unsigned char* buf, const Colonne& c, const QVariant& v, const Codage& cod,
                  QByteArray* pBlob = nullptr);
// Reads a blob whole.
QByteArray LireBlob(Firebird::IAttachment* att, Firebird::ITransaction* tra, const ISC_QUAD& id);
ISC_QUAD CreerBlob(Firebird::IAttachment* att, Firebird::ITransaction* tra, const QByteArray& data);

// Replaces the named parameters ":NOM" of an SQL text by "?" and lists their names (upper
// case unless quoted), in order; literals, quoted identifiers and comments are skipped.
QString TraduireParametres(const QString& chSql, QStringList& noms);

}  // namespace fbi
