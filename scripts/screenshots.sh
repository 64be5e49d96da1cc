#!/usr/bin/env bash
# Takes the README's pictures of quickdex.exe on a virtual display: the main
# window (one row with the mark of a combination bound twice), the tray menu,
# the hotkey editor with its status line and launch options, the action chooser, the category
# editor and About. Writes docs/*.png. The clicks are at the places Wine's
# 1024x768 virtual desktop puts the windows (they are centred).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
command -v xdotool >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q xdotool >/dev/null
bash scripts/build.sh win

prefix=$PWD/build/win/wineprefix
work=$(mktemp -d)
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null; kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
cp build/win/quickdex.exe "$work/"
printf '%s\r\n' \
    '[3+78]' 'Action=notepad.exe' 'Hint=The text editor' 'Sort=Tools' \
    '[3+69]' 'Action=C:\windows' 'Hint=The Windows folder' 'Sort=Folders' \
    '[6+67]' 'Action=Control Panel' 'Hint=All the settings' 'Sort=System' \
    '[0+122]' 'Action=http://www.quickdex.net/' 'Hint=Home page' 'Sort=Web' \
    '[3+078]' 'Action=wordpad.exe' 'Hint=Another editor' 'Sort=Tools' \
    '[3+81]' 'Action=Show quickdex' 'Sort=quickdex' >"$work/hotkey.ini"
printf '%s\r\n' '[Sort]' 'Tools=0' 'Folders=0' 'System=0' 'Web=0' >"$work/Set.ini"

Xvfb :57 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:57
sleep 1
cmake/wine-run.sh "$prefix" "$work/quickdex.exe" &
sleep 6

click() { xdotool mousemove "$1" "$2" mousedown 1; sleep 0.15; xdotool mouseup 1; sleep "${3:-1}"; }
shot() { import -window root -crop "$1" "docs/$2.png"; }

click 1013 758 2            # the tray icon: the main window
shot 420x470+302+150 main-window
xdotool mousemove 1013 758 click 3
sleep 2
shot 300x140+724+628 tray-menu
xdotool key Escape

click 350 580               # Add
click 356 282 0.5           # the key field
xdotool key ctrl+alt+n      # bound already: the status line says so
click 530 281 0.3
xdotool type 'notepad.exe'
click 570 321 0.3
xdotool type 'My editor'
click 308 406 0.3           # If it is running, bring it to the front
click 332 442 0.3           # ... or its next window
click 542 468 0.3           # Arguments
xdotool type 'C:\notes\today.txt'
click 542 493 0.3           # Start in
xdotool type 'C:\notes'
click 432 518 0.5           # Window: Maximised
xdotool key Down Down Return
sleep 0.3
click 522 518 0.3           # Run as administrator
click 530 281 0.3           # the focus back in the target field
shot 448x317+288+225 editor

click 711 281               # the action button: the chooser
click 389 186 0.5           # Windows Application's box: opened
click 430 202               # Paint
shot 276x460+373+154 action-chooser
click 597 588               # Cancel
click 683 355               # the editor's Cancel

click 363 192 0.7           # Set > Edit Sort
click 391 238
click 510 245 0.5           # Web
click 466 573               # Change
shot 400x450+312+160 category-editor
click 666 393               # the name dialog's Cancel
click 602 573               # Close

click 399 192 0.7           # Help > About
click 416 272 1.5
shot 320x222+352+274 about
echo "screenshots: docs/{main-window,tray-menu,editor,action-chooser,category-editor,about}.png"
