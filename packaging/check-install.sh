#!/usr/bin/env bash
# Installs the build folder BUILD into a scratch folder and checks what a
# user's system gets: the programs, the language file, manual pages that know
# every command and option of --help, a bash completion that knows them too
# and the names --select takes, and (with the window, WITH_GUI=1) a launcher,
# metainfo and icon that the validators accept.
# Usage: check-install.sh BUILD [WITH_GUI]
set -euo pipefail
build=$1
gui=${2:-1}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$stage" >/dev/null
cli=$stage/bin/zerlant-cli
share=$stage/share
"$cli" --version
[ -f "$share/zerlant/idioma.lng" ] || fail "no language file"

# The text of a manual page as man shows it.
manText() { MANWIDTH=200 man -l "$1" 2>/dev/null | sed 's/.\x08//g'; }

commands=$("$cli" --help | sed -n '/^Commands:/,/^$/p' | awk 'NR > 1 && NF { print $1 }')
[ -n "$commands" ] || fail "zerlant-cli --help lists no command"
man=$(manText "$share/man/man1/zerlant-cli.1")
[ -n "$man" ] || fail "man -l cannot show zerlant-cli.1"
source /usr/share/bash-completion/bash_completion 2>/dev/null || true
source "$share/bash-completion/completions/zerlant-cli"
for c in $commands; do
    grep -qw -- "$c" <<<"$man" || fail "zerlant-cli.1 does not mention the command $c"
    completed=" $(_zerlant_cli_options "$c") "
    # The option names that start the lines of the command's help.
    for o in $("$cli" "$c" --help | grep -oE '^  -[-a-z0-9,]+' | tr ',' '\n' | tr -d ' ' | sort -u); do
        [[ $o == -h || $o == --help-all ]] && continue
        grep -qF -- "$o" <<<"$man" || fail "zerlant-cli.1 does not mention $c $o"
        [[ $completed == *" $o "* ]] || fail "the completion does not offer $c $o"
    done
    # The names --select takes, as the program lists them after an unknown one.
    if names=$("$cli" "$c" --select '?' x 2>&1 | sed -n 's/.*the names are: //p') && [ -n "$names" ]; then
        [ "$(tr ',' ' ' <<<"$names")" == "$(echo $(_zerlant_cli_select_names "$c"))" ] ||
            fail "the completion's --select names of $c differ from: $names"
    fi
done

if [ "$gui" = 1 ]; then
    "$stage/bin/zerlant" --version
    [ -n "$(manText "$share/man/man1/zerlant.1")" ] || fail "man -l cannot show zerlant.1"
    desktop=$share/applications/org.zerlant.Zerlant.desktop
    metainfo=$share/metainfo/org.zerlant.Zerlant.metainfo.xml
    [ -f "$share/icons/hicolor/scalable/apps/org.zerlant.Zerlant.svg" ] || fail "no icon"
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
    fi
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --no-net "$metainfo" >/dev/null || fail "appstreamcli validate $metainfo"
    fi
fi

[ "$failures" = 0 ] && echo "installed files: all checks passed"
exit $((failures > 0))
