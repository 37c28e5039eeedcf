#include <gtest/gtest.h>

#include "base/reponseurscripte.h"

TEST(ServiceMessages, ReponseurEnregistreEtRepondDansLOrdre) {
  TReponseurScripte r;
  r.RepondreOui();
  r.RepondreNon();
  MsgAttention("a");
  MessageBip("b");
  EXPECT_TRUE(MsgConfirmation("q1"));
  EXPECT_FALSE(MsgConfirmation("q2"));
  EXPECT_FALSE(MsgConfirmation("q3"));  // nothing queued: No, and counted as unexpected
  MsgErreur("e");
  EXPECT_EQ(r.Textes(), (QStringList{"a", "b", "q1", "q2", "q3", "e"}));
  EXPECT_EQ(r.Textes(TReponseurScripte::TGenre::Erreur), QStringList{"e"});
  EXPECT_EQ(r.NbBips(), 1);
  EXPECT_EQ(r.NbQuestionsImprevues(), 1);
}

TEST(ServiceMessages, ReponseurSeRetireEnFinDeVie) {
  IServiceMessages* avant = &ServiceMessages();
  {
    TReponseurScripte r;
    EXPECT_EQ(&ServiceMessages(), &r);
    {
      TReponseurScripte interne;
      MsgAttention("x");
      EXPECT_EQ(interne.Textes(), QStringList{"x"});
      EXPECT_TRUE(r.Textes().isEmpty());
    }
    EXPECT_EQ(&ServiceMessages(), &r);
  }
  EXPECT_EQ(&ServiceMessages(), avant);
}
