#!/bin/sh
# Writes the viewer's one-line `locale` file from the desktop's language, when none exists.
#   tools/write-locale.sh FILE     writes FILE (only when FILE does not exist yet)
#   tools/write-locale.sh --code   prints the code that would be written
# The language comes from LC_ALL, then LC_MESSAGES, then LANG (the first one set and not empty),
# as the C library chooses the language of messages. A code the viewer does not know never
# comes out: anything unrecognised gives "en", which shows English.
set -eu

locale_code() {
    lang=${LC_ALL:-}
    [ -n "$lang" ] || lang=${LC_MESSAGES:-}
    [ -n "$lang" ] || lang=${LANG:-}
    # ll_CC.charset@modifier -> ll_CC
    lang=${lang%%.*}
    lang=${lang%%@*}
    case $lang in
    ko | ko_*) echo ko ;;
    ja | ja_*) echo ja ;;
    zh_CN | zh_SG | zh) echo zh_CN ;;
    zh_TW | zh_HK | zh_MO) echo zh_TW ;;
    fr | fr_*) echo fr ;;
    de | de_*) echo ge ;;
    es | es_*) echo sp ;;
    nl | nl_*) echo du ;;
    it | it_*) echo it ;;
    pt | pt_*) echo po ;;
    ru | ru_*) echo ru ;;
    pl | pl_*) echo pol ;;
    *) echo en ;;
    esac
}

case ${1:-} in
--code)
    locale_code
    ;;
"" | -*)
    echo "usage: $0 FILE | --code" >&2
    exit 2
    ;;
*)
    [ -e "$1" ] && exit 0
    locale_code >"$1.tmp.$$"
    mv "$1.tmp.$$" "$1"
    ;;
esac
