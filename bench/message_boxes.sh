#!/usr/bin/env bash
# Runs the message box benchmark on a private X server.
#   bench/message_boxes.sh build/bench/varvik_message_box_bench [BOXES]
set -euo pipefail
bench=$(realpath "$1")
# shellcheck source=../tests/helpers/xvfb_window.sh
source "$(dirname "$0")/../tests/helpers/xvfb_window.sh"
start_xvfb
QT_QPA_PLATFORM=xcb "$bench" "${@:2}"
