# Checks shared by the package check and the install-tree test; sourced, not run.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

expect_equal() { # what expected actual
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

# Both programs answer from BIN: the same version, and the CLI reads SAMPLE.
check_programs() { # BIN SAMPLE
    local app cli
    app=$(env -u DISPLAY -u QT_QPA_PLATFORM "$1/gonilux" --version)
    cli=$("$1/gonilux-cli" --version)
    expect_equal "versions" "${app#gonilux }" "${cli#gonilux-cli }"
    local info
    info=$("$1/gonilux-cli" info "$2") || fail "gonilux-cli info $2 failed"
    grep -q '^Vertical angles: [0-9]' <<<"$info" && grep -q '^Maximum candela: [0-9]' <<<"$info" \
        || fail "gonilux-cli info gave no summary: $info"
    # Pictures come from the drawing program installed in lib/gonilux.
    local picture
    picture=$(mktemp --suffix=.png)
    "$1/gonilux-cli" goniogram "$2" -o "$picture" || fail "gonilux-cli goniogram $2 failed"
    file "$picture" | grep -q 'PNG image data' || fail "gonilux-cli goniogram wrote no PNG"
    rm -f "$picture"
}

# The installed tree under PREFIX: every file present and valid, the file types answer through xdg-mime once the
# MIME database is built from them into a temporary data folder.
check_installed_files() { # PREFIX
    local p=$1 f
    for f in bin/gonilux bin/gonilux-cli share/applications/gonilux.desktop share/mime/packages/gonilux.xml \
        share/icons/hicolor/scalable/apps/gonilux.svg share/icons/hicolor/48x48/apps/gonilux.png \
        share/icons/hicolor/256x256/apps/gonilux.png share/man/man1/gonilux.1.gz share/man/man1/gonilux-cli.1.gz \
        share/doc/gonilux/README.md lib/gonilux/gonilux-cli-draw; do
        [ -s "$p/$f" ] || fail "missing $p/$f"
    done
    desktop-file-validate "$p/share/applications/gonilux.desktop" || fail "desktop entry"
    xmllint --noout "$p/share/mime/packages/gonilux.xml" "$p/share/icons/hicolor/scalable/apps/gonilux.svg"
    file "$p/share/icons/hicolor/48x48/apps/gonilux.png" | grep -q '48 x 48' || fail "48 px icon size"
    file "$p/share/icons/hicolor/256x256/apps/gonilux.png" | grep -q '256 x 256' || fail "256 px icon size"
    for f in gonilux gonilux-cli; do
        local warnings
        warnings=$(MANWIDTH=80 man --warnings -l "$p/share/man/man1/$f.1.gz" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man page $f: $warnings"
    done

    local data files mime
    data=$(mktemp -d)
    files=$(mktemp -d)
    mkdir -p "$data/mime/packages"
    cp "$p/share/mime/packages/gonilux.xml" "$data/mime/packages/"
    XDG_DATA_HOME="$data" update-mime-database "$data/mime"
    printf 'IESNA:LM-63-2002\n[TEST] 1\nTILT=NONE\n' >"$files/no-extension"
    printf 'IESNA91\n' >"$files/UPPER.IES"
    printf 'EULUMDAT\n' >"$files/lamp.ldt"
    printf 'just text\n' >"$files/notes.txt"
    while read -r name expected; do
        mime=$(XDG_DATA_HOME="$data" XDG_DATA_DIRS=/usr/share xdg-mime query filetype "$files/$name")
        expect_equal "MIME type of $name" "$expected" "$mime"
    done <<'CASES'
no-extension application/x-ies
UPPER.IES application/x-ies
lamp.ldt application/x-eulumdat
notes.txt text/plain
CASES
    rm -rf "$data" "$files"
}
