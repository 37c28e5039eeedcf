// What the engine costs on a realistic calendar: two shifts a day (05:00-13:00, 13:00-21:00),
// five days a week, and a year of dated holidays.
//
// Targets: CalculDate of 4 hours under 1 us; EnchainerLigne of 1,000 orders under 2 ms;
// Retasser(-1, True) over 200 lines of 50 orders under 100 ms; PlanifierOF of one order onto
// a line of 1,000 orders under 2 ms.

#include <benchmark/benchmark.h>

#include <random>

#include "base/datetime.h"
#include "base/reponseurscripte.h"
#include "planning/core/planningmoteur.h"

namespace {

using namespace DateHeure;
constexpr double H = 1.0 / 24.0;
const TDateTime kDebutAnnee = EncodeDate(2027, 1, 1);

void Calendrier(TPlanningMoteur& p, int code) {
  for (int jour = 2; jour <= 6; ++jour) {
    p.AjouterCalendrier(code, jour, 5 * H, 100, clWhite, 0, 1);
    p.AjouterCalendrier(code, jour, 13 * H, 100, clYellow, 0, 2);
    p.AjouterCalendrier(code, jour, 21 * H, 0, clGray, 8, 3);
  }
  const int feries[][2] = {{1, 1}, {4, 5}, {5, 1}, {5, 8}, {5, 13}, {5, 24},
                           {7, 14}, {8, 15}, {11, 1}, {11, 11}, {12, 25}};
  for (auto [mois, jour] : feries) {
    const TDateTime d = EncodeDate(2027, mois, jour);
    p.AjouterCalendrierParticulier(code, 0, d, d + 1, clRed, 4, 9);
  }
}

// A planning of nbLignes lines holding nbOF orders each, chained from the start of the year.
void Remplir(TPlanningMoteur& p, int nbLignes, int nbOF) {
  p.SetMaintenant(kDebutAnnee - 30);
  p.SetPreparation(true);
  std::mt19937 alea(42);
  std::uniform_int_distribution<int> quantite(60, 600);
  int cle = 1;
  for (int l = 1; l <= nbLignes; ++l) {
    p.AjouterLigne(l, QStringLiteral("Ligne %1").arg(l), 60, 2);  // 60 pieces an hour
    Calendrier(p, l);
    for (int i = 0; i < nbOF; ++i) {
      TUnOF* of = p.CreerOF();
      of->CleOF = cle;
      of->NumeroOF = QStringLiteral("OF%1").arg(cle++);
      of->EtatOF = eoPlannifie;
      of->SetQuantite(quantite(alea));
      of->DureePreparation = 0.5 * H;
      of->DureeFinalisation = 0.25 * H;
      of->SetDebutOF(kDebutAnnee + i * 0.1);
      p.AjouterOF(of, l);
    }
  }
  p.SetPreparation(false);
  for (int l = 1; l <= nbLignes; ++l) p.EnchainerLigne(l, false);
}

void BM_CalculDate4h(benchmark::State& state) {
  TPlanningMoteur p;
  p.AjouterLigne(1, "L", 60, 2);
  Calendrier(p, 1);
  TCalendrier& cal = p.Ligne(1)->Calendrier();
  std::vector<TDateTime> debuts(1024);
  std::mt19937 alea(7);
  std::uniform_real_distribution<double> jour(0, 365);
  for (auto& d : debuts) d = kDebutAnnee + jour(alea);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(cal.CalculDate(debuts[i++ & 1023], 4 * H));
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("cible < 1 us");
}
BENCHMARK(BM_CalculDate4h);

void BM_EnchainerLigne1000(benchmark::State& state) {
  TReponseurScripte messages;
  TPlanningMoteur p;
  Remplir(p, 1, 1000);
  const bool bRetasser = state.range(0) != 0;
  for (auto _ : state) benchmark::DoNotOptimize(p.EnchainerLigne(1, bRetasser));
  state.SetLabel("cible < 2 ms");
}
BENCHMARK(BM_EnchainerLigne1000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_Retasser200x50(benchmark::State& state) {
  TReponseurScripte messages;
  TPlanningMoteur p;
  Remplir(p, 200, 50);
  p.SetMaintenant(kDebutAnnee + 3 + 6 * H);  // a working Monday morning
  for (auto _ : state) {
    benchmark::DoNotOptimize(p.Retasser(-1, true));
    state.PauseTiming();
    p.MemoPositions().ViderMemoire();
    state.ResumeTiming();
  }
  state.SetLabel("cible < 100 ms");
}
BENCHMARK(BM_Retasser200x50)->Unit(benchmark::kMillisecond);

void BM_PlanifierOFSurLigne1000(benchmark::State& state) {
  TReponseurScripte messages;
  TPlanningMoteur p;
  Remplir(p, 1, 1000);
  TUnOF* of = p.CreerOF();
  of->CleOF = 999999;
  of->NumeroOF = "X";
  of->SetQuantite(240);
  p.AjouterOF(of, -1);
  const TDateTime milieu = p.OFLigne(1, 500)->DebutProduction();
  for (auto _ : state) {
    benchmark::DoNotOptimize(p.PlanifierOF(of, 1, milieu));
    state.PauseTiming();
    p.PlanifierOF(of, -1, 0);
    p.MemoPositions().ViderMemoire();
    state.ResumeTiming();
  }
  state.SetLabel("cible < 2 ms");
}
BENCHMARK(BM_PlanifierOFSurLigne1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
