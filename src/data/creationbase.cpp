#include "data/creationbase.h"

#include "base/erreur.h"
#include "fb/connexion.h"
#include "fb/requete.h"
#include "fb/transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

// The scripts are compiled into the program (db/scriptsbase.qrc); a static library needs
// its resources registered by hand.
static void InitialiserRessources() {
  static const bool bFait = [] {
    Q_INIT_RESOURCE(scriptsbase);
    return true;
  }();
  (void)bFait;
}

namespace CreationBase {

namespace {

// The statement without its surrounding blanks, words separated by single blanks, in
// upper case: enough to recognise the isql commands.
QString Forme(const QString& chInstr) {
  return chInstr.simplified().toUpper();
}

bool EstDefinition(const QString& chForme) {
  static const QRegularExpression re(
      "^(CREATE|ALTER|DROP|RECREATE|DECLARE|COMMENT|GRANT|REVOKE|SET GENERATOR)\\b");
  return re.match(chForme).hasMatch();
}

}  // namespace

QStringList DecouperScript(const QString& chScript) {
  QStringList instructions;
  QString terminateur = ";";
  QString courante;
  const int n = chScript.size();
  int i = 0;

  auto emettre = [&]() {
    const QString chInstr = courante.trimmed();
    courante.clear();
    if (chInstr.isEmpty()) return;
    const QString forme = Forme(chInstr);
    static const QRegularExpression reTerm("^SET TERM\\s+(\\S+)$",
                                           QRegularExpression::CaseInsensitiveOption);
    const auto m = reTerm.match(chInstr.simplified());
    if (m.hasMatch()) {
      terminateur = m.captured(1);
      return;
    }
    if (forme.startsWith("SET ") && !forme.startsWith("SET GENERATOR") &&
        !forme.startsWith("SET TRANSACTION") && !forme.startsWith("SET STATISTICS"))
      return;  // isql settings: dialect, names, bail, list...
    if (forme.startsWith("INPUT ") || forme.startsWith("CREATE DATABASE") ||
        forme.startsWith("CONNECT ") || forme == "CONNECT")
      throw EErreur("Instruction impossible dans un script du programme : " + chInstr.left(60));
    if (forme == "COMMIT WORK") {
      instructions << "COMMIT";
      return;
    }
    instructions << chInstr;
  };

  while (i < n) {
    const QChar c = chScript[i];
    // Comments: dropped, a blank keeps the words apart.
    if (c == '/' && i + 1 < n && chScript[i + 1] == '*') {
      const int fin = chScript.indexOf("*/", i + 2);
      if (fin < 0) throw EErreur("Commentaire non terminé dans le script.");
      courante += ' ';
      i = fin + 2;
      continue;
    }
    if (c == '-' && i + 1 < n && chScript[i + 1] == '-') {
      const int fin = chScript.indexOf('\n', i);
      courante += ' ';
      i = fin < 0 ? n : fin + 1;
      continue;
    }
    // Strings and quoted names, with their doubled quotes.
    if (c == '\'' || c == '"') {
      int j = i + 1;
      for (;;) {
        if (j >= n) throw EErreur("Chaîne non terminée dans le script.");
        if (chScript[j] == c) {
          if (j + 1 < n && chScript[j + 1] == c) {
            j += 2;
            continue;
          }
          break;
        }
        ++j;
      }
      courante += chScript.mid(i, j - i + 1);
      i = j + 1;
      continue;
    }
    if (QStringView(chScript).mid(i).startsWith(terminateur)) {
      emettre();
      i += terminateur.size();
      continue;
    }
    courante += c;
    ++i;
  }
  emettre();
  return instructions;
}

void ExecuterScript(TConnexion& cnx, const QString& chScript) {
  const QStringList instructions = DecouperScript(chScript);
  TTransaction trans;
  trans.SetDefaultDatabase(&cnx);
  trans.SetParams({"read_committed", "rec_version", "wait"});
  trans.StartTransaction();
  int numero = 0;
  // Definitions may use each other before they are committed, rows may not use them:
  // a run of definitions is committed once, before the first statement that is not one
  // (one commit per definition would flush the disk a few hundred times).
  bool bDefinitionsEnAttente = false;
  try {
    for (const QString& chInstr : instructions) {
      ++numero;
      const QString forme = Forme(chInstr);
      if (forme == "COMMIT") {
        trans.CommitRetaining();
        bDefinitionsEnAttente = false;
        continue;
      }
      const bool bDefinition = EstDefinition(forme);
      if (!bDefinition && bDefinitionsEnAttente) {
        trans.CommitRetaining();
        bDefinitionsEnAttente = false;
      }
      TRequete q;
      q.SetParamCheck(false);  // ":" belongs to the PSQL bodies
      q.SetDatabase(&cnx);
      q.SetTransaction(&trans);
      q.SetSQL(chInstr);
      q.ExecSQL();
      bDefinitionsEnAttente = bDefinitionsEnAttente || bDefinition;
    }
    trans.Commit();
  } catch (const EErreur& e) {
    if (trans.InTransaction()) trans.Rollback();
    throw EErreur("Instruction " + QString::number(numero) + " : " + e.Message());
  }
}

QString LireScript(const QString& chChemin) {
  InitialiserRessources();
  QFile f(chChemin);
  if (!f.open(QIODevice::ReadOnly))
    throw EErreur("Impossible de lire le script " + chChemin + ".");
  return QString::fromUtf8(f.readAll());
}

void CreerBase(const QString& chChemin, const QStringList& params, bool bDemo) {
  TConnexion cnx;
  cnx.SetDatabaseName(chChemin);
  cnx.SetParams(params);
  try {
    // Read first: nothing is created when the scripts are missing.
    const QString schema = LireScript(ScriptSchema);
    const QString demo = bDemo ? LireScript(ScriptDemo) : QString();
    if (EstCheminLocal(chChemin)) {
      const QString dossier = QFileInfo(chChemin).absolutePath();
      if (!QDir().mkpath(dossier))
        throw EErreur("Impossible de créer le dossier " + dossier + ".");
    }
    cnx.CreateDatabase();
    ExecuterScript(cnx, schema);
    if (bDemo) ExecuterScript(cnx, demo);
    cnx.Close();
  } catch (const EErreur& e) {
    if (cnx.Connected()) {
      try {
        cnx.DropDatabase();
      } catch (const EErreur&) {
        cnx.Close();
      }
    }
    throw EErreur("Erreur dans CreerBase : " + e.Message());
  }
}

bool EstCheminLocal(const QString& chChemin) {
  // "serveur:chemin", "serveur/port:chemin": a name of two characters or more before the
  // first ":" that comes before any separator. "C:\..." is a local drive.
  const int deuxPoints = chChemin.indexOf(':');
  if (deuxPoints < 0) return true;
  const int separateur = chChemin.indexOf(QLatin1Char('\\'));
  if (separateur >= 0 && separateur < deuxPoints) return true;
  const int barre = chChemin.indexOf('/');
  if (barre == 0) return true;  // an absolute path that happens to hold a ":"
  return deuxPoints == 1;
}

bool CreerSiAbsente(const QString& chChemin, const QStringList& params, bool bDemo) {
  if (chChemin.trimmed().isEmpty() || !EstCheminLocal(chChemin) || QFileInfo::exists(chChemin))
    return false;
  CreerBase(chChemin, params, bDemo);
  return true;
}

}  // namespace CreationBase
