#!/bin/bash
# Draws every record FOLDER/NAME.sgf with Go programs of other authors, into FOLDER/NAME.SOURCE.png:
#   cgoban         CGoban 1.9's edit window (rendered stones on wood, coordinates all round),
#                  grabbed from a private Xvfb display
#   cgoban-hc      the same, larger, in its high-contrast drawing
#   sgf2dg         sgf2dg's PostScript diagram page at 150 dpi through Ghostscript (the whole
#                  page: frame, title, the board in one corner); FOLDER/NAME-moves.sgf, when
#                  present, is drawn instead so that the last moves carry their numbers
#   sgf2dg-coords  the same at 220 dpi with coordinates
# A source whose programs are missing is left out; exits 77 when all are missing.
set -u
folder=$1
made=0
shopt -s nullglob
records=()
for f in "$folder"/*.sgf; do
    case $f in *-moves.sgf) ;; *) records+=("$f") ;; esac
done

if command -v sgf2dg >/dev/null && command -v gs >/dev/null && perl -MPostScript::File -e1 2>/dev/null; then
    for f in "${records[@]}"; do
        base=${f%.sgf}
        source=$f
        [ -f "$base-moves.sgf" ] && source=$base-moves.sgf
        for variant in sgf2dg sgf2dg-coords; do
            options=(-converter Ps -movesPerDiagram 1000)
            dpi=150
            if [ $variant = sgf2dg-coords ]; then options+=(-coords); dpi=220; fi
            sgf2dg "${options[@]}" -i "$source" -o "$base.$variant.ps" >/dev/null 2>&1 &&
                gs -q -dSAFER -dNOPAUSE -dBATCH -dFirstPage=1 -dLastPage=1 -sDEVICE=png16m -r$dpi \
                    -dTextAlphaBits=4 -dGraphicsAlphaBits=4 -sOutputFile="$base.$variant.png" \
                    "$base.$variant.ps" >/dev/null 2>&1 && made=1
            rm -f "$base.$variant.ps"
        done
    done
fi

cgoban=$(command -v cgoban || ls /usr/games/cgoban 2>/dev/null)
if [ -n "$cgoban" ] && command -v Xvfb >/dev/null && command -v xwd >/dev/null && command -v xwdtopnm >/dev/null &&
        command -v pnmtopng >/dev/null && command -v xwininfo >/dev/null; then
    home=$(mktemp -d)
    # Window places: the edit window at the top left, the others out of its way.
    cat > "$home/.cgobanrc" <<'RC'
cgoban.control.x: 1500
cgoban.control.y: 1200
cgoban.edit.x: 0
cgoban.edit.y: 0
cgoban.edit.toolX: 1500
cgoban.edit.toolY: 0
cgoban.edit.infoX: 1500
cgoban.edit.infoY: 600
RC
    # cgoban puts itself in the background and shows its copyright notice over the board for
    # a few seconds, so every picture gets a display of its own (ending the display ends the
    # program), all start together and are grabbed once the notices are gone.
    jobs=()
    for f in "${records[@]}"; do
        for variant in cgoban cgoban-hc; do
            options=(-fontHeight 12)
            [ $variant = cgoban-hc ] && options=(-fontHeight 17 -hiContrast)
            number=${#jobs[@]}
            Xvfb -displayfd 5 -screen 0 1900x1500x24 -nolisten tcp 5>"$home/display$number" >/dev/null 2>&1 &
            jobs+=("$! ${f%.sgf}.$variant.png")
            for _ in $(seq 50); do [ -s "$home/display$number" ] && break; sleep 0.1; done
            HOME=$home DISPLAY=:$(head -n1 "$home/display$number") "$cgoban" "${options[@]}" -edit "$f" >/dev/null 2>&1
        done
    done
    # The notice goes about five seconds after the window appears, which is late on a busy
    # machine: each window is looked for first, and its picture is taken seven seconds after it
    # was seen, once two grabs half a second apart agree.
    windows=()
    seen=()
    for number in "${!jobs[@]}"; do
        display=:$(head -n1 "$home/display$number")
        window=
        for _ in $(seq 200); do
            window=$(DISPLAY=$display xwininfo -root -tree 2>/dev/null |
                     awk '/"CGoban"\)/ && !/CGoban Control/ && !/Cgoban Tools/ {print $1; exit}')
            [ -n "$window" ] && break
            sleep 0.1
        done
        windows+=("$window")
        seen+=("$SECONDS")
    done
    for number in "${!jobs[@]}"; do
        read -r xvfb picture <<<"${jobs[$number]}"
        display=:$(head -n1 "$home/display$number")
        window=${windows[$number]}
        if [ -n "$window" ]; then
            while [ $((SECONDS - ${seen[$number]})) -lt 7 ]; do sleep 0.2; done
            previous=
            for _ in $(seq 40); do
                xwd -display "$display" -id "$window" -silent | xwdtopnm 2>/dev/null | pnmtopng > "$picture"
                current=$(md5sum < "$picture")
                [ "$current" = "$previous" ] && break
                previous=$current
                sleep 0.5
            done
            [ -s "$picture" ] && made=1
        fi
        kill "$xvfb" 2>/dev/null
        wait "$xvfb" 2>/dev/null
    done
    rm -rf "$home"
fi
[ $made = 1 ] || exit 77
