# Sourced by the make_*.sh scripts: where a built resource goes and the check
# that it has its exact size before it gets there.
#
# Usage: . exact_output.sh OUTPUT_DIR    sets out_dir and creates it.

out_dir=$1
mkdir -p "$out_dir"

# install_exact FILE EXPECTED_BYTES [NOTE]
# Moves FILE into out_dir when it has exactly EXPECTED_BYTES bytes, else
# fails; NOTE is added to the line that says so.
install_exact() {
    local file=$1 expected=$2 note=${3:-}
    local script name bytes
    script=$(basename "$0" .sh)
    name=$(basename "$file")
    bytes=$(wc -c < "$file")
    if (( bytes != expected )); then
        echo "$script: $name is $bytes bytes, expected $expected" >&2
        exit 1
    fi
    mv "$file" "$out_dir/$name"
    echo "$script: wrote $out_dir/$name ($bytes bytes$note)"
}
