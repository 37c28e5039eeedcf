#!/usr/bin/env bash
# Installs what is missing, builds, and starts the application.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
APP="$BUILD_DIR/src/app/vestrelle"
if [ -x "$APP" ]; then
  exec "$APP" "$@"
fi
cat <<'TXT'
L'application elle-même n'existe pas encore. Ce qui est construit à ce jour :
  - le moteur de planification (modèle, calendriers, ordonnancement, annulation),
    vérifié par la suite de tests : bash scripts/test.sh
  - ses mesures de performance : bash scripts/bench.sh
TXT
for g in "$BUILD_DIR"/src/controls/galerie "$BUILD_DIR"/src/controls/gallery; do
  if [ -x "$g" ]; then echo "  - la galerie des contrôles : $g"; fi
done
