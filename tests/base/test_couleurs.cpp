#include <gtest/gtest.h>

#include <QPalette>

#include "base/widgets/couleurs.h"

TEST(Couleurs, OctetBasRouge) {
  EXPECT_EQ(VersQColor(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(VersQColor(0xADADAD), QColor(0xAD, 0xAD, 0xAD));
  EXPECT_EQ(VersQColor(RGBCouleur(1, 2, 3)), QColor(1, 2, 3));
  EXPECT_EQ(DepuisQColor(QColor(1, 2, 3)), RGBCouleur(1, 2, 3));
}

TEST(Couleurs, AucuneEtCouleursSysteme) {
  EXPECT_EQ(clNone, 536870911);
  EXPECT_EQ(VersQColor(clNone).alpha(), 0);
  EXPECT_EQ(DepuisQColor(VersQColor(clNone)), clNone);
  QPalette p;
  p.setColor(QPalette::Base, QColor(10, 20, 30));
  p.setColor(QPalette::Button, QColor(40, 50, 60));
  EXPECT_EQ(VersQColor(clWindow, p), QColor(10, 20, 30));
  EXPECT_EQ(VersQColor(clBtnFace, p), QColor(40, 50, 60));
}
