# Sourced by the Wine test scripts: the environment every Wine run shares.
# shellcheck shell=bash
# Usage: . env.sh PREFIX-DIR
export WINEPREFIX=$(realpath -m "$1")
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
export WINEARCH=win64
