#!/usr/bin/env bash
# Rebuilds the golden cases made from templates that LibreOffice wrote (tests/reports/golden/lo_*)
# from the documents kept in tests/reports/lo-corpus/sources:
#   - each HTML or flat ODT (.fodt) document is saved as RTF by LibreOffice (case lo_NAME);
#   - it is also saved as .docx and that .docx saved as RTF through the Word filters
#     (case lo_NAME_docx).
# Each template is filled with the case data of the folder named like its source (vars.txt,
# options.txt, dataN_NAME.tsv). The output becomes the case's expected.rtf only when its text,
# as LibreOffice exports it to plain text, equals the hand-written expected.txt of that folder
# (expected_docx.txt, if present, for the .docx case); otherwise the script shows the
# difference, leaves the case as it was and fails. The fuzz seeds fuzz/corpus/lo_* are the
# same templates.
#
#   scripts/make-rtf-corpus.sh [--render DIR]
#
# --render DIR also writes each output as PDF and as PNG pages (60 dpi) into DIR, to look at.
# Needs LibreOffice (libreoffice-writer, libreoffice-core), poppler-utils for --render, and
# the build folder build/ (the script builds the golden_render helper there).
set -euo pipefail

cd "$(dirname "$0")/.."
root=$PWD
sources=$root/tests/reports/lo-corpus/sources
golden=$root/tests/reports/golden

render=""
while [[ $# -gt 0 ]]; do
    case "$1" in
    --render)
        render=$(realpath -m "$2")
        shift 2
        ;;
    *)
        echo "usage: $0 [--render DIR]" >&2
        exit 2
        ;;
    esac
done

command -v soffice >/dev/null || { echo "soffice not found (apt-get install libreoffice-writer)" >&2; exit 1; }
if [[ -n "$render" ]]; then
    command -v pdftoppm >/dev/null || { echo "pdftoppm not found (apt-get install poppler-utils)" >&2; exit 1; }
    mkdir -p "$render"
fi
[[ -f build/build.ninja ]] || { echo "no build/ folder: run scripts/build.sh first" >&2; exit 1; }
cmake --build build --target golden_render -j2 >/dev/null
renderer=$root/build/tests/reports/golden_render

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A profile of its own: the user's LibreOffice settings neither change nor leak into the corpus.
office() {
    soffice -env:UserInstallation="file://$work/profile" --headless "$@" >"$work/office.log" 2>&1 ||
        { cat "$work/office.log" >&2; return 1; }
}

# LibreOffice's plain text of an RTF file, with line ends evened out and each line trimmed
# (the text export pads centred lines).
plain_text() {
    local rtf=$1 out=$2
    mkdir -p "$work/txt"
    office --convert-to "txt:Text (encoded):UTF8" --outdir "$work/txt" "$rtf"
    sed -e 's/\r$//' -e '1s/^\xEF\xBB\xBF//' -e 's/^[[:space:]]*//' -e 's/[[:space:]]*$//' \
        "$work/txt/$(basename "${rtf%.rtf}").txt" >"$out"
}

failed=0
install_case() {
    local name=$1 case=$2 template=$3 expected_text=$4
    local staged=$work/cases/$case
    mkdir -p "$staged"
    cp "$sources/$name"/options.txt "$sources/$name"/vars.txt "$sources/$name"/data*.tsv "$staged/"
    cp "$template" "$staged/template.rtf"
    "$renderer" "$staged" "$work/$case.rtf"
    plain_text "$work/$case.rtf" "$work/$case.txt"
    if ! diff -u "$expected_text" "$work/$case.txt" >"$work/$case.diff"; then
        echo "$case: the output's text differs from $(realpath --relative-to="$root" "$expected_text"):" >&2
        cat "$work/$case.diff" >&2
        failed=1
        return
    fi
    cp "$work/$case.rtf" "$staged/expected.rtf"
    rm -rf "$golden/$case"
    cp -r "$staged" "$golden/$case"
    { printf '\n'; cat "$staged/template.rtf"; } >"$root/fuzz/corpus/$case"
    echo "$case: ok"
    if [[ -n "$render" ]]; then
        office --convert-to pdf --outdir "$render" "$work/$case.rtf"
        pdftoppm -png -r 60 "$render/$case.pdf" "$render/$case"
    fi
}

shopt -s nullglob
for source in "$sources"/*.html "$sources"/*.fodt; do
    file=$(basename "$source")
    name=${file%.*}
    mkdir -p "$work/rtf" "$work/docx" "$work/docx-rtf"
    filter=()
    [[ $file == *.html ]] && filter=(--infilter="HTML (StarWriter)")
    office "${filter[@]}" --convert-to rtf --outdir "$work/rtf" "$source"
    office "${filter[@]}" --convert-to "docx:MS Word 2007 XML" --outdir "$work/docx" "$source"
    office --infilter="MS Word 2007 XML" --convert-to rtf --outdir "$work/docx-rtf" "$work/docx/$name.docx"

    install_case "$name" "lo_$name" "$work/rtf/$name.rtf" "$sources/$name/expected.txt"
    docx_text=$sources/$name/expected.txt
    [[ -f $sources/$name/expected_docx.txt ]] && docx_text=$sources/$name/expected_docx.txt
    install_case "$name" "lo_${name}_docx" "$work/docx-rtf/$name.rtf" "$docx_text"
done

exit $failed
