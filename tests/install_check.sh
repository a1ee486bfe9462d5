#!/usr/bin/env bash
# Installs the built tree into an empty folder and checks that the program
# folder holds everything the program looks for beside itself, that the
# batch tool calculates an installed example, that the program starts, that
# a normal user who cannot write the program folder gets the data folders
# with the examples in the documents folder and can save there, that the
# desktop entry is valid, and that removing the installed files leaves
# nothing that points into the removed program folder.
set -u
build="$1"
work=$(mktemp -d)
chmod 755 "$work"
prefix="$work/prefix"
home="$work/home"
mkdir -p "$prefix" "$home"
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
fail=0
check() { if ! eval "$2"; then echo "FAILED: $1"; fail=1; else echo "ok: $1"; fi; }

cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }
dir="$prefix/lib/korvane"
desktop="$prefix/share/applications/korvane.desktop"
check "program"            "[ -x '$dir/korvane' ]"
check "batch tool"         "[ -x '$dir/korvane-calc' ]"
check "licence document"   "[ -s '$dir/KORVANE_EULA.pdf' ] && head -c 5 '$dir/KORVANE_EULA.pdf' | grep -q '%PDF-'"
check "book cover picture" "[ -s '$dir/buch_titel.jpg' ]"
check "book pages picture" "[ -s '$dir/buch_seiten.jpg' ]"
check "example files"      "[ \$(ls '$dir/Par/'*.par | wc -l) -ge 5 ]"
check "result folder"      "[ -d '$dir/Output' ]"
check "launcher link"      "[ -L '$prefix/bin/korvane' ] && [ -x '$prefix/bin/korvane' ]"
check "batch tool link"     "[ -L '$prefix/bin/korvane-calc' ] && '$prefix/bin/korvane-calc' --version | grep -q '^korvane-calc [0-9]'"
check "manual pages"       "[ -s '$prefix/share/man/man1/korvane.1.gz' ] && [ -s '$prefix/share/man/man1/korvane-calc.1.gz' ]"
check "bash completion"    "[ -s '$prefix/share/bash-completion/completions/korvane-calc' ]"
check "AppStream metadata is valid" \
      "appstreamcli validate --no-net '$prefix/share/metainfo/org.example.korvane.metainfo.xml' > '$work/appstream.log' 2>&1 || { cat '$work/appstream.log'; false; }"
# Every option --help lists is in the manual page and the completion, and
# they name no option that --help does not list.
options() { grep -o -- '--[a-z][A-Za-z0-9-]*' | grep -vx -- '--' | sort -u; }
"$prefix/bin/korvane-calc" --help | options > "$work/help.opts"
zcat "$prefix/share/man/man1/korvane-calc.1.gz" | sed 's/\\-/-/g' | grep '^\.[TB]\|^\.BR\|^\.BI' | options > "$work/man.opts"
sed -n "s/.*compgen -W '\(--[^']*\)'.*/\1/p" "$prefix/share/bash-completion/completions/korvane-calc" | tr ' ' '\n' | options > "$work/completion.opts"
check "manual page lists the options of --help" "diff '$work/help.opts' '$work/man.opts'"
check "completion offers the options of --help" "diff '$work/help.opts' '$work/completion.opts'"
check "copyright and changelog" "[ -s '$prefix/share/doc/korvane/copyright' ] && [ -s '$prefix/share/doc/korvane/changelog.gz' ]"
check "desktop entry names the installed program" "grep -qx 'Exec=$dir/korvane' '$desktop'"
check "desktop entry names the installed icon" \
      "icon=\$(sed -n 's/^Icon=//p' '$desktop') && [ -s \"\$icon\" ]"
check "desktop entry is valid" \
      "command -v desktop-file-validate > /dev/null && [ -z \"\$(desktop-file-validate '$desktop' 2>&1)\" ]"
check "icons"              "[ -s '$prefix/share/icons/hicolor/scalable/apps/korvane.svg' ] && [ -s '$prefix/share/icons/hicolor/48x48/apps/korvane.png' ]"
check "installed example calculates" \
      "'$dir/korvane-calc' --json '$dir/Par/Standardsilo.par' '$work/standard.txt' | grep -q '\"Parameterfehler\": 0' && [ -s '$work/standard.txt' ]"
# The program waits at its start window for the user: still running after
# two seconds means it started and found what it needs to get that far.
QT_QPA_PLATFORM=offscreen HOME="$home" timeout 2 "$prefix/bin/korvane" > /dev/null 2>&1
rc=$?
check "program starts from the launcher" "[ $rc -eq 124 ]"
rm -rf "$home"/*

# A normal user: the program folder is not theirs to write. As root the
# checks run as the user nobody (root may write everywhere).
chmod -R a-w "$dir"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  if command -v runuser > /dev/null && id nobody > /dev/null 2>&1; then
    chown nobody "$home"
    as_user=(runuser -u nobody --)
  else
    echo "FAILED: no user to run the installed program as"; fail=1
  fi
fi
run_as_user() { "${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$@"; }
run_as_user timeout 3 "$prefix/bin/korvane" > /dev/null 2>&1
data="$home/Documents/Korvane"
check "data folders made in the user's documents folder" "[ -d '$data/Par' ] && [ -d '$data/Output' ]"
check "examples copied into the user's parameter folder" "[ \$(ls '$data/Par/'*.par 2>/dev/null | wc -l) -ge 5 ]"
check "nothing written into the program folder" "[ -z \"\$(find '$dir' -newer '$work/install.log' -print -quit)\" ]"
check "batch tool saves into the user's result folder" \
      "run_as_user '$dir/korvane-calc' '$data/Par/Standardsilo.par' '$data/Output/standard.txt' > /dev/null && [ -s '$data/Output/standard.txt' ]"
if [ -x "$build/bin/test_ui_main" ]; then
  # The main window itself saving results and parameters as that user.
  cp "$build/bin/test_ui_main" "$work/test_ui_main" && chmod 755 "$work/test_ui_main"
  check "main window saves into the user's data folder" \
        "run_as_user KORVANE_INSTALLED_PROGRAM_DIR='$dir' '$work/test_ui_main' --gtest_filter=InstalledProgram.* > '$work/gui.log' 2>&1 || { cat '$work/gui.log'; false; }"
fi
chmod -R u+w "$dir"

# Removing every installed file listed by the install step leaves no link
# or entry pointing into the program folder.
manifest="$build/install_manifest.txt"
check "install manifest lists the launcher and the desktop entry" \
      "grep -qx '$prefix/bin/korvane' '$manifest' && grep -qx '$desktop' '$manifest'"
while IFS= read -r f || [ -n "$f" ]; do rm -f "$f"; done < "$manifest"
check "nothing left after removing the installed files" "[ -z \"\$(find '$prefix' ! -type d -print -quit)\" ]"
exit $fail
