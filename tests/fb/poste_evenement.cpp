// Second workstation of the server tests: attaches to the database given on the command
// line and posts events, each in its own transaction, committed or rolled back:
//   fb_poste_evenement <database> <password> commit:NAME rollback:NAME ...

#include "fb/connexion.h"
#include "fb/erreurbase.h"
#include "fb/requete.h"
#include "fb/transaction.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 4) {
    std::fprintf(stderr, "usage: %s database password commit:NAME|rollback:NAME...\n", argv[0]);
    return 2;
  }
  try {
    TConnexion cnx;
    cnx.SetDatabaseName(args[1]);
    cnx.SetParams({"user_name=SYSDBA", "password=" + args[2], "lc_ctype=ISO8859_1"});
    cnx.Open();
    for (int i = 3; i < args.size(); ++i) {
      const QString action = args[i].section(':', 0, 0), nom = args[i].section(':', 1);
      TTransaction t;
      t.SetDefaultDatabase(&cnx);
      TRequete q;
      q.SetDatabase(&cnx);
      q.SetTransaction(&t);
      q.SetSQL("EXECUTE BLOCK (NOM VARCHAR(60) = :NOM) AS BEGIN POST_EVENT NOM; END");
      q.ParamByName("NOM").SetAsString(nom);
      q.ExecSQL();
      if (action == "commit") t.Commit();
      else t.Rollback();
    }
    cnx.Close();
  } catch (const EErreur& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
