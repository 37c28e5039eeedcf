#pragma once
// A fresh embedded database per test, in a temporary directory.

#include "fb/connexion.h"
#include "fb/erreurbase.h"
#include "fb/requete.h"
#include "fb/transaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

inline QCoreApplication* Application() {
  static int argc = 1;
  static char nom[] = "test_fb";
  static char* argv[] = {nom, nullptr};
  static QCoreApplication* app = QCoreApplication::instance() ? QCoreApplication::instance()
                                                              : new QCoreApplication(argc, argv);
  return app;
}

// Runs the event loop until cond holds or ms elapse.
inline bool Attendre(const std::function<bool()>& cond, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!cond() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return cond();
}

inline QStringList ParamsTest() {
  return {"user_name=SYSDBA", "password=inutile", "lc_ctype=ISO8859_1"};
}

// Runs statements in a transaction of their own and commits.
inline void Executer(TConnexion& cnx, const QStringList& sqls) {
  TTransaction t;
  t.SetDefaultDatabase(&cnx);
  t.StartTransaction();
  for (const QString& sql : sqls) {
    TRequete q;
    q.SetParamCheck(false);
    q.SetDatabase(&cnx);
    q.SetTransaction(&t);
    q.SetSQL(sql);
    q.ExecSQL();
    t.CommitRetaining();  // DDL must be committed before the next statement uses it
  }
  t.Commit();
}

class BaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application();
    ASSERT_TRUE(FDir.isValid());
    FChemin = FDir.filePath("test.fdb");
    FCnx.SetDatabaseName(FChemin);
    FCnx.SetParams(ParamsTest());
    FCnx.CreateDatabase();
    FTrans.SetDefaultDatabase(&FCnx);
    FTrans.SetParams({"read_committed", "rec_version", "nowait"});
    FCnx.SetDefaultTransaction(&FTrans);
  }

  void TearDown() override {
    if (FCnx.Connected()) FCnx.Close();
  }

  void Sql(const QStringList& sqls) { Executer(FCnx, sqls); }

  // Value of the first column of the first row.
  QVariant Valeur(const QString& sql) {
    TTransaction t;
    t.SetDefaultDatabase(&FCnx);
    TRequete q;
    q.SetDatabase(&FCnx);
    q.SetTransaction(&t);
    q.SetSQL(sql);
    q.Open();
    QVariant v = q.Fields(0).Value();
    q.Close();
    t.Commit();
    return v;
  }

  QTemporaryDir FDir;
  QString FChemin;
  TConnexion FCnx;
  TTransaction FTrans;
};
