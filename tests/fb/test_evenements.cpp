// The event listener within one process (embedded engine: two attachments).

#include "basetest.h"

#include "fb/ecouteurevenements.h"

namespace {

class Evenements : public BaseTest {
 protected:
  void SetUp() override {
    BaseTest::SetUp();
    ecouteur.SetDatabase(&FCnx);
    QObject::connect(&ecouteur, &TEcouteurEvenements::EventAlert, [this](const QString& n) {
      EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
      recus << n;
    });
  }

  // Posts the events in one transaction, committed or rolled back.
  void Poster(const QStringList& noms, bool bValider) {
    QString corps;
    for (const QString& n : noms) corps += QString("POST_EVENT '%1'; ").arg(n);
    TTransaction t;
    t.SetDefaultDatabase(&FCnx);
    TRequete q;
    q.SetDatabase(&FCnx);
    q.SetTransaction(&t);
    q.SetParamCheck(false);
    q.SetSQL("EXECUTE BLOCK AS BEGIN " + corps + "END");
    q.ExecSQL();
    if (bValider) t.Commit();
    else t.Rollback();
  }

  TEcouteurEvenements ecouteur;
  QStringList recus;
};

TEST_F(Evenements, CommittedEventsArriveByNameRolledBackOnesNever) {
  ecouteur.SetEvents({"SP_PLANNIFICATION", "SP_OF", "SP_SAUVEGARDE"});
  ecouteur.RegisterEvents();
  EXPECT_TRUE(ecouteur.Registered());
  Attendre([] { return false; }, 300);
  EXPECT_TRUE(recus.isEmpty()) << recus.join(',').toStdString();  // registering delivers nothing

  Poster({"SP_PLANNIFICATION"}, false);
  Poster({"SP_OF", "NON_INSCRIT"}, true);
  ASSERT_TRUE(Attendre([&] { return recus.contains("SP_OF"); }));
  Attendre([] { return false; }, 200);
  EXPECT_EQ(recus, QStringList({"SP_OF"}));

  recus.clear();
  Poster({"SP_PLANNIFICATION"}, true);
  ASSERT_TRUE(Attendre([&] { return !recus.isEmpty(); }));
  EXPECT_EQ(recus, QStringList({"SP_PLANNIFICATION"}));

  // Still listening after a delivery.
  recus.clear();
  Poster({"SP_SAUVEGARDE", "SP_PLANNIFICATION"}, true);
  ASSERT_TRUE(Attendre([&] { return recus.size() == 2; }));
  recus.sort();
  EXPECT_EQ(recus, QStringList({"SP_PLANNIFICATION", "SP_SAUVEGARDE"}));
}

TEST_F(Evenements, MoreNamesThanOneRegistrationHoldsAndTheCallback) {
  QStringList noms;
  for (int i = 0; i < 20; ++i) noms << QString("EV_%1").arg(i);
  ecouteur.SetEvents(noms);
  QStringList parRappel;
  ecouteur.OnEventAlert = [&](TEcouteurEvenements&, const QString& n) { parRappel << n; };
  ecouteur.RegisterEvents();
  Poster({"EV_3", "EV_17"}, true);
  ASSERT_TRUE(Attendre([&] { return recus.size() == 2; })) << recus.join(",").toStdString();
  recus.sort();
  EXPECT_EQ(recus, QStringList({"EV_17", "EV_3"}));
  parRappel.sort();
  EXPECT_EQ(parRappel, recus);
}

TEST_F(Evenements, UnregisteredListenerHearsNothingAndCanRegisterAgain) {
  ecouteur.SetEvents({"SP_CLIENT"});
  ecouteur.RegisterEvents();
  ecouteur.UnRegisterEvents();
  EXPECT_FALSE(ecouteur.Registered());
  Poster({"SP_CLIENT"}, true);
  Attendre([] { return false; }, 300);
  EXPECT_TRUE(recus.isEmpty());
  ecouteur.RegisterEvents();
  Poster({"SP_CLIENT"}, true);
  EXPECT_TRUE(Attendre([&] { return recus == QStringList({"SP_CLIENT"}); }));
}

// The server answers a new registration with the counts it holds when it answers, which can
// already include an event committed right after the registration: such an event must still
// be delivered, however often the listener registers again.
TEST_F(Evenements, EventPostedRightAfterRegisteringIsNeverLost) {
  ecouteur.SetEvents({"SP_OF", "SP_CLIENT"});
  for (int i = 0; i < 30; ++i) {
    recus.clear();
    ecouteur.RegisterEvents();
    Poster({"SP_CLIENT"}, true);
    ASSERT_TRUE(Attendre([&] { return recus == QStringList({"SP_CLIENT"}); })) << "tour " << i;
    ecouteur.UnRegisterEvents();
  }
}

TEST_F(Evenements, RegisteringWithoutNamesOrDatabaseIsAnError) {
  TEcouteurEvenements e;
  e.SetEvents({"X"});
  EXPECT_THROW(e.RegisterEvents(), EErreur);
  e.SetDatabase(&FCnx);
  e.SetEvents({});
  EXPECT_THROW(e.RegisterEvents(), EErreur);
  EXPECT_FALSE(e.Registered());
}

}  // namespace
