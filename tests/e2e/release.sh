# The release zip as a player gets it: unzipped into an empty folder it
# holds the exe, the dat folder and the two read-me files, nothing else;
# started from another folder the game finds its files there, and the first
# arrow makes the hero that the target's MD5 gives.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/hero.sh"

command -v xdotool >/dev/null || fail "xdotool is missing"
command -v unzip >/dev/null || fail "unzip is missing"
[ -f "$E2E_ZIP" ] || fail "the release zip $E2E_ZIP was not built (cmake --build . --target release)"
zip_name=$(basename "$E2E_ZIP")
version=${zip_name#Tavrenne-}
version=${version%-win64.zip}

player=$WORK/player
mkdir "$player"
unzip -q "$E2E_ZIP" -d "$player" || fail "cannot unzip $zip_name"
listing=$(cd "$player" && find . -type f | sort)
expected=$( (echo ./Tavrenne.exe ./readme-en.txt ./readme-ja.txt | tr ' ' '\n'
    cd "$E2E_DAT" && find . -type f | sed 's|^\./|./dat/|') | sort)
[ "$listing" = "$expected" ] || fail "the zip holds: $listing"
[ "$(cd "$E2E_DAT" && find . -type f | wc -l)" -eq 22 ] || fail "the build's dat folder does not hold 22 files"
diff -r "$player/dat" "$E2E_DAT" >/dev/null || fail "the zip's dat folder differs from the build's"
cmp -s "$player/Tavrenne.exe" "$E2E_GAME" || fail "the zip's exe differs from the build's"

# The read-me files: Windows line ends; the Japanese one in Shift_JIS, the
# English one in plain ASCII; both name the version and the keys.
for language in ja en; do
    file=$player/readme-$language.txt
    lines=$(wc -l <"$file")
    [ "$lines" -gt 20 ] && [ "$(grep -c $'\r$' "$file")" -eq "$lines" ] ||
        fail "readme-$language.txt: not every one of its $lines lines ends in CR LF"
done
text=$(iconv -f CP932 -t UTF-8 "$player/readme-ja.txt") || fail "readme-ja.txt is not Shift_JIS"
for word in "$version" ホワイトアロー Tavrenne.exe F11 二の矢; do
    grep -qF -- "$word" <<<"$text" || fail "readme-ja.txt does not mention $word"
done
LC_ALL=C grep -qP '[^\x00-\x7F]' "$player/readme-en.txt" && fail "readme-en.txt is not plain ASCII"
for word in "$version" "White Arrow" Tavrenne.exe F11 "second arrow"; do
    grep -qF -- "$word" "$player/readme-en.txt" || fail "readme-en.txt does not mention $word"
done

# Played from the unzipped folder, started from another one.
place_target "$WORK/targets/longbow.exe"
start_target "$WORK/targets/longbow.exe" LongbowTarget 0 0
derive_hero "$WORK/targets/longbow.exe"
GAME_EXE=$player/Tavrenne.exe
GAME_WINEDEBUG=-all,trace+file start_game
drive wait TAVRENNE || fail "the game from the zip did not open its window"
expect_output 0 count box:
expect_first_screen
[ "$(game_log_count 'swit004.wav" not found')" -eq 0 ] || fail "the sound effects were not found beside the exe"

shoot_at_target LongbowTarget
drive wait-text TAVRENNE '#2' $' >\n >\n >\n >\n >longbow を射止めた!\n' || fail "no hero from longbow.exe"
expect_output "$(status_text "$H_NAME" 1 "$H_MAXHP" "$H_MAXHP" "$H_MAXMP" "$H_MAXMP" "$H_ATTACK" "$H_DEFENCE" 0 10)" \
    text TAVRENNE '#0'
expect_picture "the rest point's scene" "bmp:$player/dat/bg_green.dat" 0 0 128 128
expect_picture "the hero's icon" "$E2E_TARGET_ICON" 144 5 32 32
expect_progress 0 400
screenshot hero

close_game
echo "$zip_name: the exe, 22 data files and two read-me files; played from the unzipped folder"
