# Sourced by the scripts that run Wine: one environment for every Wine call of the project.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win32
export LC_ALL=zh_CN.UTF-8
export LANG=zh_CN.UTF-8
# No Mono/Gecko prompts and no desktop menu entries from the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
