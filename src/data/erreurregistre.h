#pragma once
// Failures of the settings store: a file that cannot be read or written, a lock that another
// process keeps, a registry export text that is not what it claims to be, a value too long.
// Each failure keeps its own code, the line of the file where it was found and, for I/O
// failures, the system's error code, so that callers can tell them apart.

#include <QString>

#include "base/erreur.h"

enum class TCodeErreurRegistre {
  ecLecture = 1,          // the file exists but cannot be read
  ecEcriture = 2,         // the store file cannot be written
  ecVerrou = 3,           // another process holds the store and does not let go
  ecFormatInconnu = 4,    // no "REGEDIT4" / "Windows Registry Editor Version 5.00" header
  ecEncodage = 5,         // bytes that do not decode in the file's encoding
  ecSyntaxe = 6,          // malformed or truncated line
  ecTropLong = 7,         // key name, value name or value beyond the store's limits
  ecCheminAbsent = 8,     // no current key (the location was never opened)
};

class EErreurRegistre : public EErreur {
 public:
  EErreurRegistre(TCodeErreurRegistre code, QString chMessage, int iLigne = 0,
                  int iCodeSysteme = 0)
      : EErreur(std::move(chMessage)), FCode(code), FLigne(iLigne), FCodeSysteme(iCodeSysteme) {}
  TCodeErreurRegistre Code() const { return FCode; }
  // 1-based line of the file where the fault was found; 0 when it concerns no line.
  int Ligne() const { return FLigne; }
  // QFileDevice::FileError or errno of an I/O failure; 0 otherwise.
  int CodeSysteme() const { return FCodeSysteme; }

 private:
  TCodeErreurRegistre FCode;
  int FLigne;
  int FCodeSysteme;
};
