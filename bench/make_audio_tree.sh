#!/usr/bin/env bash
# Makes a folder tree of real audio files for bench_read_tree: COUNT files (default 2000) of
# short MP3 (CBR and VBR, ID3v1+v2), Ogg Vorbis, WAV with INFO, WMA, FLAC, Opus, AAC and ALAC
# in M4A, and AIFF with an ID3 chunk, copied from a few encoded originals with distinct names.
#   bench/make_audio_tree.sh DIR [COUNT [SECONDS]]   (SECONDS of audio per file, default 20)
set -euo pipefail
DIR=$1
COUNT=${2:-2000}
LENGTH=${3:-20}
mkdir -p "$DIR/src"
SRC="$DIR/src"
ffmpeg -loglevel error -y -f lavfi -i "sine=frequency=440:duration=$LENGTH" -ac 2 "$SRC/tone.wav"
lame --quiet -b 128 --tt "Title" --ta "Artist" --tl "Album" --add-id3v2 "$SRC/tone.wav" "$SRC/cbr.mp3"
lame --quiet -V 4 --tt "Title" --ta "Artist" "$SRC/tone.wav" "$SRC/vbr.mp3"
oggenc --quiet -q 2 -t "Title" -a "Artist" -l "Album" -N 3 -o "$SRC/tone.ogg" "$SRC/tone.wav"
ffmpeg -loglevel error -y -i "$SRC/tone.wav" -c:a wmav2 -b:a 64k -metadata title=Title "$SRC/tone.wma"
ffmpeg -loglevel error -y -i "$SRC/tone.wav" -metadata title=Title "$SRC/info.wav"
flac --silent -T TITLE=Title -T ARTIST=Artist -o "$SRC/tone.flac" "$SRC/tone.wav"
opusenc --quiet --title Title --artist Artist "$SRC/tone.wav" "$SRC/tone.opus"
ffmpeg -loglevel error -y -i "$SRC/tone.wav" -c:a aac -b:a 128k -metadata title=Title "$SRC/aac.m4a"
ffmpeg -loglevel error -y -i "$SRC/tone.wav" -c:a alac -metadata title=Title "$SRC/alac.m4a"
ffmpeg -loglevel error -y -i "$SRC/tone.wav" -write_id3v2 1 -metadata title=Title "$SRC/tone.aiff"
originals=("$SRC/cbr.mp3" "$SRC/vbr.mp3" "$SRC/tone.ogg" "$SRC/tone.wma" "$SRC/info.wav"
    "$SRC/tone.flac" "$SRC/tone.opus" "$SRC/aac.m4a" "$SRC/alac.m4a" "$SRC/tone.aiff")
for ((i = 0; i < COUNT; i++)); do
    folder="$DIR/tree/$((i / 100))"
    mkdir -p "$folder"
    original=${originals[$((i % ${#originals[@]}))]}
    cp "$original" "$folder/$i.${original##*.}"
done
rm -rf "$SRC"
echo "$COUNT files below $DIR/tree"
