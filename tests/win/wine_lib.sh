# Shared by the Windows tray tests (sourced after tests/e2e/e2e_lib.sh): a Wine prefix of their
# own, its fonts, and the notification icon that Wine's explorer docks in trayer.

# A fresh 32-bit prefix in the work directory, playing the Windows version $1 (winxp, win98);
# the window's faces (Tahoma, MS Shell Dlg, Arial) are
# mapped onto the DejaVu faces the Linux build shows, since a bare prefix has none of them and
# would fall back to a serif face.
start_wine() {
  export WINEPREFIX=$work/prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >"$work/wineboot.log" 2>&1 || return 1
  wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "${1:-winxp}" /f >/dev/null 2>&1 ||
    return 1
  local face
  for face in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "MS Sans Serif" "Arial" "Segoe UI" \
              "Microsoft Sans Serif"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ \
      /d "DejaVu Sans" /f >/dev/null 2>&1 || return 1
  done
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Tahoma Bold" /t REG_SZ \
    /d "DejaVu Sans Bold" /f >/dev/null 2>&1 || return 1
  [ "${WIN_SCHEME:-}" != dark ] || dark_scheme
}

# WIN_SCHEME=dark: the system colours of a dark desktop scheme (light text on dark faces), to
# look at the window under one. Wine's own visual style (on by default) would paint over them.
dark_scheme() {
  local pair key
  wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive \
    /t REG_SZ /d 0 /f >/dev/null 2>&1 || return 1
  for pair in "Window=32 32 32" "WindowText=230 230 230" "ButtonFace=45 45 48" \
              "ButtonText=230 230 230" "GrayText=150 150 150" "Background=20 20 20" \
              "Menu=45 45 48" "MenuText=230 230 230" "Hilight=0 90 160" \
              "HilightText=255 255 255" "ButtonHilight=70 70 70" "ButtonShadow=20 20 20" \
              "InfoWindow=45 45 48" "InfoText=230 230 230"; do
    # the style's copy of the colours is what Wine restores when no style is on
    for key in 'HKCU\Control Panel\Colors' \
               'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager\Control Panel\Colors'; do
      wine reg add "$key" /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f >/dev/null 2>&1 || return 1
    done
  done
  # The desktop process, started with the style, keeps its colours until the session ends.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}
# Ends the Wine server of our own prefix only (a caller's WINEPREFIX is left alone).
stop_wine() {
  [ "${WINEPREFIX:-}" = "$work/prefix" ] && { wineserver -k >/dev/null 2>&1 || true; }
  return 0
}

# The icons docked in trayer's panel (the sockets trayer made for them, and what Wine put in).
wine_icon_windows() {
  xwininfo -root -tree | awk '/\("panel" "trayer"\)/ {p = 1; next} p && /^     0x/ {p = 0} p' |
    grep -E ' [0-9]+x[0-9]+\+' | grep -vE ' 1x1\+' || true
}
wine_icon_geometry() { wine_icon_windows | head -1 |
  sed -E 's/.* ([0-9]+)x([0-9]+)\+[-0-9]+\+[-0-9]+ +\+([0-9]+)\+([0-9]+).*/\1 \2 \3 \4/'; }
wine_icons() { wine_icon_windows | awk '{print $NF}' | sort -u | grep -c . || true; }  # by place
wine_icon_has() {  # a colour, srgb(R,G,B), somewhere in the tray icon
  local w h x y
  read -r w h x y < <(wine_icon_geometry) || return 1
  import -window root -crop "${w}x${h}+${x}+${y}" txt:- 2>/dev/null | grep -F "$1" >/dev/null
}
