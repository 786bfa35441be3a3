#!/bin/sh
# The locale writer: every desktop language of the table gives its code, the variable order
# follows the C library's, and an existing file is never replaced.
set -u
writer=$1
fail=0
check() { # expected, then environment assignments
    want=$1
    shift
    got=$(env -i "$@" sh "$writer" --code)
    if [ "$got" != "$want" ]; then
        echo "FAIL: $* gave '$got', expected '$want'"
        fail=1
    fi
}
check ko LANG=ko_KR.UTF-8
check ja LANG=ja_JP.UTF-8
check zh_CN LANG=zh_CN.UTF-8
check zh_TW LANG=zh_TW.UTF-8
check zh_TW LANG=zh_HK.UTF-8
check fr LANG=fr_FR.UTF-8
check fr LANG=fr_CA
check ge LANG=de_DE.UTF-8@euro
check ge LANG=de_AT
check sp LANG=es_ES.UTF-8
check du LANG=nl_NL.UTF-8
check it LANG=it_IT.UTF-8
check po LANG=pt_BR.UTF-8
check po LANG=pt_PT
check ru LANG=ru_RU.UTF-8
check pol LANG=pl_PL.UTF-8
check en LANG=en_GB.UTF-8
check en LANG=C.UTF-8
check en LANG=sv_SE.UTF-8
check en
check ja LANG=de_DE.UTF-8 LC_MESSAGES=ja_JP.UTF-8
check ru LANG=de_DE.UTF-8 LC_MESSAGES=ja_JP.UTF-8 LC_ALL=ru_RU.UTF-8
check ge LANG=de_DE.UTF-8 LC_MESSAGES=

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
env -i LANG=fr_FR.UTF-8 sh "$writer" "$dir/locale"
[ "$(cat "$dir/locale")" = fr ] || { echo "FAIL: new file holds '$(cat "$dir/locale")'"; fail=1; }
echo ja >"$dir/locale"
env -i LANG=fr_FR.UTF-8 sh "$writer" "$dir/locale"
[ "$(cat "$dir/locale")" = ja ] || { echo "FAIL: existing file was replaced"; fail=1; }
[ $fail -eq 0 ] && echo "all locale codes as expected"
exit $fail
