#!/usr/bin/env bash
# Takes the README's pictures: quickdex.exe with a few bindings on a virtual
# display, its main window, and its tray menu. Writes docs/*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
command -v xdotool >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q xdotool >/dev/null
bash scripts/build.sh win

work=$(mktemp -d)
trap 'WINEPREFIX=$PWD/build/win/wineprefix wineserver -k 2>/dev/null; kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
cp build/win/quickdex.exe "$work/"
printf '%s\r\n' \
    '[3+78]' 'Action=notepad.exe' 'Hint=The text editor' 'Sort=Tools' \
    '[3+69]' 'Action=C:\windows' 'Hint=The Windows folder' 'Sort=Folders' \
    '[6+67]' 'Action=Control Panel' 'Hint=All the settings' 'Sort=System' \
    '[0+122]' 'Action=http://www.quickdex.net/' 'Hint=Home page' 'Sort=Web' \
    '[3+81]' 'Action=Show quickdex' 'Sort=quickdex' >"$work/hotkey.ini"

Xvfb :57 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:57
sleep 1
cmake/wine-run.sh "$PWD/build/win/wineprefix" "$work/quickdex.exe" &
sleep 6
xdotool mousemove 1013 758 click 1   # the tray icon, at the right end of Wine's taskbar
sleep 2
import -window root -crop 420x470+302+150 docs/main-window.png
xdotool mousemove 1013 758 click 3
sleep 2
import -window root -crop 300x140+724+628 docs/tray-menu.png
xdotool key Escape
echo "screenshots: docs/main-window.png docs/tray-menu.png"
