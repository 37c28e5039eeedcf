#!/usr/bin/env bash
# Installs what is missing, builds, creates the demonstration database when it does not exist
# yet, and starts the application.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
APP_DIR="$BUILD_DIR/src/app"
# The program looks for its database next to its executable.
BASE=${VESTRELLE_BASE:-$APP_DIR/Dorvanel.gdb}
mkdir -p "$(dirname "$BASE")"
"$BUILD_DIR/src/data/vestrelle_creerbase" "$BASE"

APP="$APP_DIR/vestrelle"
if [ -x "$APP" ]; then
  exec "$APP" "$@"
fi
cat <<'TXT'

L'application elle-même n'existe pas encore. Ce qui est construit à ce jour :
  - le moteur de planification (modèle, calendriers, ordonnancement, annulation) ;
  - l'accès à la base Firebird, le schéma, les données de démonstration (ci-dessus) ;
  - le stockage des réglages par utilisateur ;
  - les contrôles de base (barres de défilement, dates et heures, jauge, boutons...).
Suite de tests : bash scripts/test.sh      Mesures : bash scripts/bench.sh
TXT
GALERIE="$BUILD_DIR/src/controls/galerie/galerie"
if [ -x "$GALERIE" ]; then
  echo "Galerie des contrôles : $GALERIE"
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$GALERIE"
  fi
fi
