#pragma once
// Message service for tests: records every text shown and every beep, and answers
// questions from a queue of Yes/No answers. It installs itself while it lives. A question
// with an empty queue is answered No and counted, so that a test can tell it was unexpected.

#include <QList>
#include <QString>

#include "base/messages.h"

class TReponseurScripte : public IServiceMessages {
 public:
  enum class TGenre { Attention, Erreur, Confirmation };
  struct TMessage {
    TGenre Genre;
    QString Texte;
  };

  TReponseurScripte();
  ~TReponseurScripte() override;
  TReponseurScripte(const TReponseurScripte&) = delete;
  TReponseurScripte& operator=(const TReponseurScripte&) = delete;

  // Queues the answers of the next questions, in order.
  void Repondre(bool bOui) { FReponses.append(bOui); }
  void RepondreOui() { Repondre(true); }
  void RepondreNon() { Repondre(false); }

  const QList<TMessage>& Messages() const { return FMessages; }
  QStringList Textes() const;
  QStringList Textes(TGenre genre) const;
  int NbBips() const { return FNbBips; }
  int NbQuestionsImprevues() const { return FQuestionsImprevues; }
  int NbReponsesRestantes() const { return FReponses.size(); }
  void Effacer();

  void Attention(const QString& chTexte) override;
  void Erreur(const QString& chTexte) override;
  bool Confirmation(const QString& chTexte) override;
  void Bip() override { ++FNbBips; }

 private:
  IServiceMessages* FPrecedent;
  QList<TMessage> FMessages;
  QList<bool> FReponses;
  int FNbBips = 0;
  int FQuestionsImprevues = 0;
};
