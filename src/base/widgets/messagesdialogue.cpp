#include "base/widgets/messagesdialogue.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

void TServiceMessagesDialogue::Attention(const QString& chTexte) {
  QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("Attention"), chTexte);
}

void TServiceMessagesDialogue::Erreur(const QString& chTexte) {
  QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Erreur"), chTexte);
}

bool TServiceMessagesDialogue::Confirmation(const QString& chTexte) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Confirmation"), chTexte,
                  QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
  box.button(QMessageBox::Yes)->setText(QStringLiteral("&Oui"));
  box.button(QMessageBox::No)->setText(QStringLiteral("&Non"));
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void TServiceMessagesDialogue::Bip() { QApplication::beep(); }
