# Sourced with the Wine folder of a build (BUILD/wine): sets `wine_env`, the environment
# every Windows program of the tests runs in (use: env "${wine_env[@]}" wine ...). A
# Japanese system: code page 932 comes from the glibc locale ja_JP.UTF-8, generated into
# the Wine folder (LOCPATH), not from the registry. The shell's own locale stays as it is.
wine_env=(
  -u LC_ALL -u LC_CTYPE -u LC_MESSAGES -u LANGUAGE
  WINEPREFIX="$1/prefix"
  WINEARCH=win64
  WINEDEBUG=-all
  WINEDLLOVERRIDES="mscoree,mshtml="
  LOCPATH="$1/locale"
  LANG=ja_JP.UTF-8
)
