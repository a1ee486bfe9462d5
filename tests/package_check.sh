#!/usr/bin/env bash
# Builds the Debian package from the build folder, checks its control data
# and contents, installs it into a scratch root with dpkg --root, runs the
# installed batch tool and Python module from there, removes it again and
# runs lintian on it (no errors; the warnings are printed).
set -u
build="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
check() { if ! eval "$2"; then echo "FAILED: $1"; fail=1; else echo "ok: $1"; fi; }

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
( cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" > cpack.log 2>&1 ) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/korvane_"$version"_*.deb 2>/dev/null | head -n 1)
check "package korvane_${version}_<arch>.deb made" "[ -n '$deb' ] && [ -s '$deb' ]"
[ -n "$deb" ] || exit 1
echo "package: $(basename "$deb")"

dpkg-deb -I "$deb" > "$work/info" && dpkg-deb -c "$deb" > "$work/contents"
field() { sed -n "s/^ $1: //p" "$work/info"; }
check "package name and version" "[ '$(field Package)' = korvane ] && [ '$(field Version)' = '$version' ]"
check "dependencies from dpkg-shlibdeps (Qt, C++ library)" \
      "field Depends | grep -q 'libqt6widgets6' && field Depends | grep -q 'libstdc++6'"
check "maintainer and homepage under example.org" \
      "field Maintainer | grep -q '@example.org>' && field Homepage | grep -q '^https://[a-z.]*example.org/'"
for f in ./usr/lib/korvane/korvane ./usr/lib/korvane/korvane-calc ./usr/lib/korvane/KORVANE_EULA.pdf \
         ./usr/lib/korvane/Par/Standardsilo.par ./usr/bin/korvane ./usr/bin/korvane-calc \
         ./usr/share/applications/korvane.desktop ./usr/share/icons/hicolor/scalable/apps/korvane.svg \
         ./usr/share/metainfo/org.example.korvane.metainfo.xml ./usr/share/man/man1/korvane.1.gz \
         ./usr/share/man/man1/korvane-calc.1.gz ./usr/share/bash-completion/completions/korvane-calc \
         ./usr/share/doc/korvane/copyright ./usr/share/doc/korvane/changelog.gz \
         ./usr/share/doc/korvane/examples/plot_sigmaw.py; do
  check "contains $f" "grep -q ' $f\( -> .*\)\?\$' '$work/contents'"
done
python=0
if grep -q ' ./usr/lib/python3/dist-packages/korvane\..*\.so$' "$work/contents"; then python=1; fi
echo "Python module in the package: $python"
check "no file outside /usr" "! awk '{print \$6}' '$work/contents' | grep -v '^\./\$' | grep -qv '^\./usr/'"

# A scratch root: dpkg's database, nothing else; the libraries come from this system.
root="$work/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg_root() { dpkg --root="$root" --force-depends --force-not-root --log=/dev/null "$@"; }
check "installs with dpkg --root" "dpkg_root -i '$deb' > '$work/dpkg.log' 2>&1 || { cat '$work/dpkg.log'; false; }"
check "desktop entry starts the installed program" \
      "grep -qx 'Exec=/usr/lib/korvane/korvane' '$root/usr/share/applications/korvane.desktop' && grep -qx 'Icon=korvane' '$root/usr/share/applications/korvane.desktop'"
check "desktop entry is valid" "[ -z \"\$(desktop-file-validate '$root/usr/share/applications/korvane.desktop' 2>&1)\" ]"
check "AppStream metadata is valid" "appstreamcli validate --no-net '$root/usr/share/metainfo/org.example.korvane.metainfo.xml' > /dev/null"
desk="$root/usr/share/applications/korvane.desktop"
meta="$root/usr/share/metainfo/org.example.korvane.metainfo.xml"
check "desktop entry and metadata agree (name, icon, categories, launchable)" \
      "grep -qx \"Name=\$(sed -n 's|^  <name>\(.*\)</name>|\1|p' '$meta')\" '$desk' &&
       grep -qx \"Icon=\$(sed -n 's|.*<icon type=\"stock\">\(.*\)</icon>|\1|p' '$meta')\" '$desk' &&
       grep -qx \"Categories=\$(sed -n 's|.*<category>\(.*\)</category>|\1;|p' '$meta' | tr -d '\n')\" '$desk' &&
       grep -q '<launchable type=\"desktop-id\">korvane.desktop</launchable>' '$meta'"
check "installed batch tool calculates" \
      "'$root/usr/bin/korvane-calc' --json '$root/usr/lib/korvane/Par/Standardsilo.par' - | grep -q '\"Parameterfehler\": 0'"
check "versions" "'$root/usr/bin/korvane-calc' --version | grep -qx 'korvane-calc $version' && '$root/usr/lib/korvane/korvane' --version | grep -qx 'korvane $version'"
if [ "$python" = 1 ]; then
  check "installed Python module calculates" \
        "PYTHONPATH='$root/usr/lib/python3/dist-packages' /usr/bin/python3 -c \"import korvane; print(korvane.load('$root/usr/lib/korvane/Par/Standardsilo.par').calculate().Fuellmenge)\""
fi
check "removes with dpkg --root" "dpkg_root --purge korvane > '$work/dpkg.log' 2>&1 || { cat '$work/dpkg.log'; false; }"
check "nothing of the package left" "[ -z \"\$(find '$root' ! -type d ! -path '$root/var/lib/dpkg/*' -print -quit)\" ] && [ ! -e '$root/usr/lib/korvane' ]"

if command -v lintian > /dev/null; then
  lintian --tag-display-limit 0 "$deb" > "$work/lintian.log" 2>&1
  sed 's/^/lintian: /' "$work/lintian.log"
  check "lintian finds no error" "! grep -q '^E:' '$work/lintian.log'"
else
  echo "lintian not installed: not run"
fi
exit $fail
