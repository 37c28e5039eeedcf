#include "fb/requete.h"

#include "fb/instruction.h"

void TRequete::ExecSQL() {
  if (Active()) Close();
  Prepare();
  FLignesTouchees = Selection()->Executer(Transaction(), EntreesSelection());
}
