#!/bin/sh
# The Windows setup program and the portable zip, from a clean clone:
# toolchain (toolchain.sh), cross build (build.sh), then the folder the
# programs run from: the console and the window program, the Qt DLLs (kept
# as separate DLLs, replaceable by the user), the Qt plugins, the compiler
# runtime DLLs, the Access reader DLL, the licences and the icon.
#   build-windows/k52util-1.99-setup.exe   (NSIS, 64-bit)
#   build-windows/k52util-1.99-windows.zip
set -e
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
version=1.99
prefix=$("$here/toolchain.sh" | tail -n 1)
"$here/build.sh" --target k52util k52util_window
out="$repo/build-windows"
stage="$out/stage/k52util-$version"
rm -rf "$out/stage"
mkdir -p "$stage"
cmake --install "$out" --prefix "$stage" >/dev/null

# The DLLs the programs load, followed through their own imports; Windows'
# own DLLs are not in these folders and stay out.
dll_dirs="$prefix/bin $(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)") /usr/x86_64-w64-mingw32/lib"
for p in platforms/qwindows.dll platforms/qoffscreen.dll sqldrivers/qsqlite.dll styles/qwindowsvistastyle.dll \
  imageformats/qico.dll imageformats/qjpeg.dll imageformats/qgif.dll; do
  mkdir -p "$stage/$(dirname "$p")"
  cp "$prefix/plugins/$p" "$stage/$p"
done
todo=$(find "$stage" -name '*.dll' -o -name '*.exe' -o -name '*.com')
while [ -n "$todo" ]; do
  next=""
  for f in $todo; do
    for dll in $(x86_64-w64-mingw32-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p'); do
      [ -f "$stage/$dll" ] && continue
      for d in $dll_dirs; do
        if [ -f "$d/$dll" ]; then
          cp "$d/$dll" "$stage/$dll"
          next="$next $stage/$dll"
          break
        fi
      done
    done
  done
  todo=$next
done
x86_64-w64-mingw32-strip --strip-unneeded "$stage"/*.dll "$stage"/*/*.dll "$stage"/*.exe "$stage"/*.com

# Licences: ours, the list of the libraries, and the LGPL the Qt libraries
# and libmdb come under.
cp "$repo/LICENSE" "$stage/LICENSE.txt"
cp "$repo/THIRD_PARTY.md" "$stage/THIRD_PARTY.md"
cp /usr/share/common-licenses/LGPL-3 "$stage/LGPL-3.0.txt"
cp /usr/share/common-licenses/GPL-3 "$stage/GPL-3.0.txt"
cp /usr/share/common-licenses/LGPL-2 "$stage/LGPL-2.0.txt"

# The icon, drawn from the SVG.
icons="$out/stage/icons"
mkdir -p "$icons"
for s in 16 24 32 48 64 256; do
  rsvg-convert -w $s -h $s "$repo/data/org.zor.k52util.svg" -o "$icons/$s.png"
done
icotool -c -o "$stage/k52util.ico" "$icons"/16.png "$icons"/24.png "$icons"/32.png "$icons"/48.png \
  "$icons"/64.png "$icons"/256.png

# The setup program and the zip.
makensis -V2 -DVERSION=$version -DSTAGE="$stage" -DOUTFILE="$out/k52util-$version-setup.exe" \
  "$here/k52util.nsi"
rm -f "$out/k52util-$version-windows.zip"
(cd "$out/stage" && zip -qr9 "$out/k52util-$version-windows.zip" "k52util-$version")
ls -l "$out/k52util-$version-setup.exe" "$out/k52util-$version-windows.zip"
