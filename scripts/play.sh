#!/usr/bin/env bash
# Set up (packages, build, game data), then start the game in its folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cd build/game
exec ./gor
