#pragma once
#include <QString>

// The debug trace "debug.txt" in the current directory, shared by the whole process. Nothing
// is created or written unless DebutTrace was called (the "/debug" switch).
void DebutTrace();
void EcrireTrace(const QString& chTexte);
// printf-style format (%s takes a UTF-8 char*, dates are written as plain day numbers %f).
void EcrireTraceFormat(const char* chFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
bool TraceActive();
void FinTrace();
// Name of the trace file (tests point it elsewhere before DebutTrace).
QString FichierTrace();
void SetFichierTrace(const QString& chChemin);
